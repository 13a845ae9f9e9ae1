# Kamiru: the two commands of the README, and their parts.
#   make demo   build everything and run the main job on the bundled sample
#   make test   build everything and run every test (native, under Wine, fuzzers)
# Both install what is missing first (as root; otherwise they say what is).

JOBS ?= $(shell nproc)
# Warnings are errors in CI.
WERROR := $(if $(CI),ON,OFF)
PRESETS := windows native native-san fuzz
WINE_TEMPLATE := $(CURDIR)/build/wine-template
export KM_WINE_TEMPLATE := $(WINE_TEMPLATE)

.PHONY: all deps build demo test clean wine-template

all: build

deps:
	@bash tools/deps/ensure-deps.sh

# Configures and builds every preset (configure output only on failure).
build: deps
	@set -e; for preset in $(PRESETS); do \
	  log=build/configure-$$preset.log; mkdir -p build; \
	  cmake --preset $$preset -DKM_WERROR=$(WERROR) > $$log 2>&1 || { cat $$log; exit 1; }; \
	  echo "=== building $$preset"; \
	  cmake --build build/$$preset -j$(JOBS); \
	done

wine-template: deps
	@bash tools/wine/make-template.sh $(WINE_TEMPLATE)

# The sample song's lyrics as the plug-ins read them; then the song played
# in the Windows Media Player-like host with kmwmp (registered with
# regsvr32 first) and sung in the Winamp-like host through gen_kmru. The
# windows show on the user's display, or on a private Xvfb when there is
# none; frames go to out/demo/.
demo: build wine-template
	tools/wine/winerun build/windows/tools/kmtool/kmtool.exe dump samples/twinkle.km
	@rm -rf out/demo && mkdir -p out/demo
	tools/wine/winerun --show --audio cmd /c "regsvr32 /s Z:$(CURDIR)/build/windows/wmp/kmwmp.dll && \
	  Z:$(CURDIR)/build/windows/hosts/wmphost/wmphost.exe --effect Kmwmp --preset 1 \
	  --play Z:$(CURDIR)/samples/twinkle.wav --save-every 2 --out Z:$(CURDIR)/out/demo/wmp"
	tools/wine/winerun --show --audio build/windows/hosts/winamphost/winamphost.exe \
	  --plugins build/windows/winamp --script hosts/winamphost/scripts/twinkle-demo.txt
	@echo "Frames: $$(ls out/demo/*.bmp | tr '\n' ' ')"

test: build wine-template
	@bash tools/run-tests.sh $(PRESETS)

clean:
	rm -rf build
