#include "editor/audio_graph.h"

#include <cstring>

#include "editor/program_files.h"
#include "filters/filter_ids.h"

namespace {

// The work file and the limit of its directory (with the backslash), so
// that the whole path fits in MAX_PATH.
constexpr char kWorkFileName[] = "wav.tmp";
constexpr size_t kWorkDirectoryLimit = 252;
// The height of the video window in the strip.
constexpr long kVideoHeight = 200;

// DirectShow's filter graph manager.
constexpr CLSID kClsidFilterGraph = {
    0xE436EBB3, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

// Interfaces of the graph whose identifiers the headers leave to the
// DirectShow import library.
constexpr IID kIidVideoWindow = {
    0x56A868B4, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
constexpr IID kIidMediaEventEx = {
    0x56A868C0, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

// A COM reference released when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** out() { return &p_; }
  void** outVoid() { return reinterpret_cast<void**>(&p_); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T* detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

template <typename T>
void ReleaseInto(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

bool WidePath(const char* path, WCHAR (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) > 0;
}

// The `index`-th pin of `filter` in direction `direction`, or null.
HRESULT FindPin(IBaseFilter* filter, PIN_DIRECTION direction, int index, IPin** pin) {
  *pin = nullptr;
  ComRef<IEnumPins> pins;
  HRESULT hr = filter->EnumPins(pins.out());
  if (FAILED(hr)) return hr;
  IPin* candidate = nullptr;
  while (pins->Next(1, &candidate, nullptr) == S_OK) {
    PIN_DIRECTION found;
    if (SUCCEEDED(candidate->QueryDirection(&found)) && found == direction && index-- == 0) {
      *pin = candidate;
      return S_OK;
    }
    candidate->Release();
  }
  return E_FAIL;
}

// How many filters of the graph have no output pin: its sinks.
int CountSinks(IGraphBuilder* graph) {
  ComRef<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.out()))) return -1;
  int sinks = 0;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    ComRef<IPin> output;
    if (FAILED(FindPin(filter, PINDIR_OUTPUT, 0, output.out()))) ++sinks;
    filter->Release();
  }
  return sinks;
}

HRESULT CreateFilter(const CLSID& clsid, IBaseFilter** filter) {
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IBaseFilter),
                          reinterpret_cast<void**>(filter));
}

}  // namespace

bool WorkFilePath(char (&path)[MAX_PATH]) {
  return ProgramFilePath(kWorkFileName, kWorkDirectoryLimit - 1, path);
}

HRESULT AudioGraph::CreateGraph() {
  return CoCreateInstance(kClsidFilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                          __uuidof(IGraphBuilder), reinterpret_cast<void**>(&graph_));
}

HRESULT AudioGraph::BuildDecoding(const char* audioPath, HWND strip, HWND main,
                                  UINT notifyMessage) {
  TearDown();
  char work[MAX_PATH];
  WCHAR wideWork[MAX_PATH];
  WCHAR wideAudio[MAX_PATH];
  if (!WorkFilePath(work) || lstrcmpiA(audioPath, work) == 0 || !WidePath(work, wideWork) ||
      !WidePath(audioPath, wideAudio)) {
    return E_FAIL;
  }
  HRESULT hr = CreateGraph();
  // The references to filters and pins go before the graph does: a pin of
  // the system's splitter may not outlive its graph (Wine frees it).
  {
    ComRef<IBaseFilter> writer;
    if (SUCCEEDED(hr)) hr = CreateFilter(kClsidWaveWriterFilter, writer.out());
    if (SUCCEEDED(hr)) hr = graph_->AddFilter(writer.get(), L"KMWS");
    ComRef<IFileSinkFilter> sink;
    if (SUCCEEDED(hr)) hr = writer->QueryInterface(__uuidof(IFileSinkFilter), sink.outVoid());
    if (SUCCEEDED(hr)) hr = sink->SetFileName(wideWork, nullptr);
    if (SUCCEEDED(hr)) hr = graph_->RenderFile(wideAudio, nullptr);
    ComRef<IPin> input;
    ComRef<IPin> upstream;
    if (SUCCEEDED(hr)) hr = FindPin(writer.get(), PINDIR_INPUT, 0, input.out());
    if (SUCCEEDED(hr)) hr = input->ConnectedTo(upstream.out());
  }
  // A second sink (a video renderer, say) means streams the work file
  // cannot hold.
  if (SUCCEEDED(hr) && CountSinks(graph_) != 1) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = Connect(strip, main, notifyMessage);
  if (FAILED(hr)) TearDown();
  return hr;
}

HRESULT AudioGraph::BuildPlayback(HWND strip, HWND main, UINT notifyMessage) {
  TearDown();
  char work[MAX_PATH];
  WCHAR wideWork[MAX_PATH];
  if (!WorkFilePath(work) || !WidePath(work, wideWork)) return E_FAIL;
  HRESULT hr = CreateGraph();
  {
    ComRef<IBaseFilter> tee;
    ComRef<IBaseFilter> display;
    if (SUCCEEDED(hr)) hr = CreateFilter(kClsidAudioTeeFilter, tee.out());
    if (SUCCEEDED(hr)) hr = CreateFilter(kClsidLyricsDisplayFilter, display.out());
    ComRef<IFileSourceFilter> source;
    if (SUCCEEDED(hr)) hr = display->QueryInterface(__uuidof(IFileSourceFilter), source.outVoid());
    if (SUCCEEDED(hr)) hr = source->Load(wideWork, nullptr);
    if (SUCCEEDED(hr)) hr = graph_->AddFilter(tee.get(), L"KMWT");
    // Intelligent connect routes the audio through the tee, which is already
    // in the graph, to the audio renderer.
    if (SUCCEEDED(hr)) hr = graph_->RenderFile(wideWork, nullptr);
    if (SUCCEEDED(hr)) hr = graph_->AddFilter(display.get(), L"KMWLD");
    ComRef<IPin> teeBranch;
    ComRef<IPin> displayInput;
    if (SUCCEEDED(hr)) hr = FindPin(tee.get(), PINDIR_OUTPUT, 1, teeBranch.out());
    if (SUCCEEDED(hr)) hr = FindPin(display.get(), PINDIR_INPUT, 0, displayInput.out());
    if (SUCCEEDED(hr)) hr = graph_->Connect(teeBranch.get(), displayInput.get());
    if (SUCCEEDED(hr)) {
      hr = display->QueryInterface(kIidLyricsDisplay, reinterpret_cast<void**>(&display_));
    }
  }
  if (SUCCEEDED(hr)) hr = Connect(strip, main, notifyMessage);
  if (FAILED(hr)) TearDown();
  return hr;
}

// The video window into the strip, the control interfaces and the event
// notification. The video window's settings are best effort.
HRESULT AudioGraph::Connect(HWND strip, HWND main, UINT notifyMessage) {
  if (SUCCEEDED(graph_->QueryInterface(kIidVideoWindow,
                                       reinterpret_cast<void**>(&video_)))) {
    RECT client = {};
    GetClientRect(strip, &client);
    video_->put_Owner(reinterpret_cast<OAHWND>(strip));
    video_->put_MessageDrain(reinterpret_cast<OAHWND>(main));
    video_->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    video_->SetWindowPosition(0, 0, client.right, kVideoHeight);
    video_->put_Visible(OATRUE);
  }
  HRESULT hr = graph_->QueryInterface(__uuidof(IMediaControl), reinterpret_cast<void**>(&control_));
  if (SUCCEEDED(hr)) {
    hr = graph_->QueryInterface(__uuidof(IMediaSeeking), reinterpret_cast<void**>(&seeking_));
  }
  if (SUCCEEDED(hr)) {
    hr = graph_->QueryInterface(kIidMediaEventEx, reinterpret_cast<void**>(&events_));
  }
  if (SUCCEEDED(hr)) {
    hr = events_->SetNotifyWindow(reinterpret_cast<OAHWND>(main), notifyMessage, 0);
  }
  if (SUCCEEDED(hr)) {
    notifyWindow_ = main;
    notifyMessage_ = notifyMessage;
  }
  return hr;
}

void AudioGraph::TearDown() {
  ReleaseInto(display_);
  if (control_) control_->Stop();
  ReleaseInto(control_);
  MSG queued;
  if (events_ && notifyWindow_ &&
      PeekMessageA(&queued, notifyWindow_, notifyMessage_, notifyMessage_, PM_REMOVE)) {
    long code;
    LONG_PTR first;
    LONG_PTR second;
    while (events_->GetEvent(&code, &first, &second, 0) == S_OK) {
      events_->FreeEventParams(code, first, second);
    }
  }
  ReleaseInto(events_);
  ReleaseInto(seeking_);
  if (video_) {
    video_->put_Visible(OAFALSE);
    video_->put_Owner(0);
  }
  ReleaseInto(video_);
  ReleaseInto(graph_);
  notifyWindow_ = nullptr;
}
