# Kamiru: the two commands of the README, and their parts.
#   make demo   build everything and run the main job on the bundled sample
#   make test   build everything and run every test (native, under Wine, fuzzers)
# Both install what is missing first (as root; otherwise they say what is).

JOBS ?= $(shell nproc)
# Warnings are errors in CI.
WERROR := $(if $(CI),ON,OFF)
PRESETS := windows windows64 native native-san fuzz
# Wine prefix templates: $(WINE_TEMPLATE)-win32 and $(WINE_TEMPLATE)-win64.
WINE_TEMPLATE := $(CURDIR)/build/wine-template
export KM_WINE_TEMPLATE := $(WINE_TEMPLATE)
# The demo runs the 32-bit build where this machine runs 32-bit programs,
# else the 64-bit twin.
DEMO_BUILD = $(shell bash tools/wine/can-run-win32 && echo windows || echo windows64)

.PHONY: all deps build demo readme-pictures test clean wine-template

all: build

deps:
	@bash tools/deps/ensure-deps.sh

# Configures and builds every preset (configure output only on failure).
# Where 32-bit programs cannot run, the 32-bit build leaves out the test
# programs that could only be run.
build: deps
	@set -e; win32=$$(bash tools/wine/can-run-win32 && echo ON || echo OFF); \
	for preset in $(PRESETS); do \
	  log=build/configure-$$preset.log; mkdir -p build; \
	  programs=$$([ $$preset = windows ] && echo $$win32 || echo ON); \
	  cmake --preset $$preset -DKM_WERROR=$(WERROR) -DKM_TEST_PROGRAMS=$$programs > $$log 2>&1 \
	    || { cat $$log; exit 1; }; \
	  echo "=== building $$preset$$([ $$programs = OFF ] && echo ' (no test programs: they cannot run here)')"; \
	  cmake --build build/$$preset -j$(JOBS); \
	done
	@echo "=== building the installers" && cmake --build build/windows64 --target installers -j$(JOBS)

# The win64 template always; the win32 one where 32-bit programs run.
wine-template: deps
	@bash tools/wine/make-template.sh $(WINE_TEMPLATE)-win64 win64
	@if bash tools/wine/can-run-win32; then \
	  bash tools/wine/make-template.sh $(WINE_TEMPLATE)-win32 win32; fi

# The sample song's lyrics as the plug-ins read them; then the song played
# in the Windows Media Player-like host with kmwmp (registered with
# regsvr32 first) and sung in the Winamp-like host through gen_kmru. The
# windows show on the user's display, or on a private Xvfb when there is
# none; frames go to out/demo/. Then the editor starts for a few seconds
# and a screenshot of it is saved there too; and once more it opens the
# sample song through its own filters (decoded to a wave file, then played
# with the waveform in its strip) and is pictured while it plays.
# The whole story: the editor opens the sample lyrics and song, plays them
# with the timings in its strip and saves the lyrics beside a copy of the
# song; then both plug-ins find what the editor saved and sing it.
DEMO_SONG := out/demo/song
WIN_DEMO := $(subst /,\\,Z:$(CURDIR)/out/demo)
demo: build wine-template
	@$(eval B := $(DEMO_BUILD))
	@$(eval ARCH := $(if $(filter windows,$(B)),win32,win64))
	@if [ $(B) = windows ]; then echo "Demo of the 32-bit build"; \
	 else echo "Demo of the 64-bit build (this machine cannot run 32-bit x86 programs)"; fi
	@rm -rf out/demo && mkdir -p $(DEMO_SONG) && cp samples/twinkle.wav $(DEMO_SONG)/
	@echo "1. The editor opens samples/twinkle.km and the song, plays it and saves the lyrics beside the song"
	tools/wine/winerun --show --audio --arch $(ARCH) cmd /c "regsvr32 /s Z:$(CURDIR)/build/$(B)/filters/kmfilters.dll && \
	  Z:$(CURDIR)/build/$(B)/tools/editorshot/editorshot.exe --delay 4000 \
	  --lyrics $(subst /,\\,Z:$(CURDIR)/samples/twinkle.km) --audio $(WIN_DEMO)\\song\\twinkle.wav \
	  --save-as $(WIN_DEMO)\\song\\twinkle.km $(WIN_DEMO)\\editor-playing.bmp"
	@echo "2. What the plug-ins read from the saved file"
	tools/wine/winerun build/$(B)/tools/kmtool/kmtool.exe dump $(DEMO_SONG)/twinkle.km
	@echo "3. The Windows Media Player plug-in sings it"
	tools/wine/winerun --show --audio --arch $(ARCH) cmd /c "regsvr32 /s Z:$(CURDIR)/build/$(B)/wmp/kmwmp.dll && \
	  Z:$(CURDIR)/build/$(B)/hosts/wmphost/wmphost.exe --effect Kmwmp --preset 1 \
	  --play $(WIN_DEMO)\\song\\twinkle.wav --save-every 2 --out $(WIN_DEMO)\\wmp"
	@echo "4. The Winamp plug-in sings it"
	tools/wine/winerun --show --audio build/$(B)/hosts/winamphost/winamphost.exe \
	  --plugins build/$(B)/winamp --script hosts/winamphost/scripts/twinkle-demo.txt
	@for f in out/demo/*.bmp; do python3 help/bmp_to_png.py "$$f" "$${f%.bmp}.png"; done
	@echo "Pictures: $$(ls out/demo/*.png | tr '\n' ' ')"

# The README's pictures, from the last demo.
readme-pictures:
	mkdir -p docs/pictures
	cp out/demo/editor-playing.png docs/pictures/editor-playing.png
	cp $$(ls out/demo/wmp-*.png | sort -t- -k2 -n | sed -n 4p) docs/pictures/wmp-singing.png

test: build wine-template
	@bash tools/run-tests.sh $(PRESETS)

clean:
	rm -rf build
