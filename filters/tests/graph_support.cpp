#include "filters/tests/graph_support.h"

#include <fstream>
#include <iterator>

#include "filters/filter_ids.h"

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

namespace {

HRESULT QueryEditorInterfaces(EditorGraph* graph) {
  HRESULT hr = graph->builder->QueryInterface(IID_IMediaControl, graph->control.outVoid());
  if (SUCCEEDED(hr)) hr = graph->builder->QueryInterface(IID_IMediaSeeking, graph->seeking.outVoid());
  if (SUCCEEDED(hr)) hr = graph->builder->QueryInterface(IID_IMediaEventEx, graph->events.outVoid());
  return hr;
}

int FiltersWithoutOutputs(IGraphBuilder* builder) {
  ComRef<IEnumFilters> filters;
  if (FAILED(builder->EnumFilters(filters.out()))) return -1;
  int count = 0;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    ComRef<IPin> pin;
    if (FAILED(FindPin(filter, PINDIR_OUTPUT, 0, pin.out()))) ++count;
    filter->Release();
  }
  return count;
}

}  // namespace

HRESULT BuildDecodingGraph(const std::wstring& source, const std::wstring& target,
                           EditorGraph* graph) {
  ComRef<IBaseFilter> writer;
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IGraphBuilder, graph->builder.outVoid());
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(kClsidWaveWriterFilter, nullptr, CLSCTX_INPROC_SERVER,
                          IID_IBaseFilter, writer.outVoid());
  }
  if (SUCCEEDED(hr)) hr = graph->builder->AddFilter(writer.get(), L"KMWS");
  ComRef<IFileSinkFilter> sink;
  if (SUCCEEDED(hr)) hr = writer->QueryInterface(IID_IFileSinkFilter, sink.outVoid());
  if (SUCCEEDED(hr)) hr = sink->SetFileName(target.c_str(), nullptr);
  if (SUCCEEDED(hr)) hr = graph->builder->RenderFile(source.c_str(), nullptr);
  ComRef<IPin> input;
  ComRef<IPin> upstream;
  if (SUCCEEDED(hr)) hr = FindPin(writer.get(), PINDIR_INPUT, 0, input.out());
  if (SUCCEEDED(hr)) hr = input->ConnectedTo(upstream.out());
  if (SUCCEEDED(hr) && FiltersWithoutOutputs(graph->builder.get()) != 1) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = QueryEditorInterfaces(graph);
  return hr;
}

HRESULT BuildPlaybackGraph(const std::wstring& wave, IBaseFilter* branch, EditorGraph* graph) {
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IGraphBuilder, graph->builder.outVoid());
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(kClsidAudioTeeFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          graph->tee.outVoid());
  }
  if (SUCCEEDED(hr)) hr = graph->builder->AddFilter(graph->tee.get(), L"KMWT");
  if (SUCCEEDED(hr)) hr = graph->builder->RenderFile(wave.c_str(), nullptr);
  if (SUCCEEDED(hr)) hr = graph->builder->AddFilter(branch, L"KMWLD");
  ComRef<IPin> output;
  ComRef<IPin> input;
  if (SUCCEEDED(hr)) hr = FindPin(graph->tee.get(), PINDIR_OUTPUT, 1, output.out());
  if (SUCCEEDED(hr)) hr = FindPin(branch, PINDIR_INPUT, 0, input.out());
  if (SUCCEEDED(hr)) hr = graph->builder->Connect(output.get(), input.get());
  if (SUCCEEDED(hr)) hr = QueryEditorInterfaces(graph);
  return hr;
}

long WaitForEvent(EditorGraph& graph, const std::vector<long>& wanted, DWORD timeoutMs,
                  std::vector<LONGLONG>* positions) {
  const DWORD began = GetTickCount();
  while (GetTickCount() - began < timeoutMs) {
    long code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    if (graph.events->GetEvent(&code, &param1, &param2, 50) == S_OK) {
      graph.events->FreeEventParams(code, param1, param2);
      for (long each : wanted) {
        if (code == each) return code;
      }
    }
    LONGLONG position = 0;
    if (positions && SUCCEEDED(graph.seeking->GetCurrentPosition(&position))) {
      positions->push_back(position);
    }
  }
  return 0;
}

HRESULT FindPin(IBaseFilter* filter, PIN_DIRECTION direction, int index, IPin** pin) {
  *pin = nullptr;
  ComRef<IEnumPins> pins;
  HRESULT hr = filter->EnumPins(pins.out());
  if (FAILED(hr)) return hr;
  IPin* candidate = nullptr;
  while (pins->Next(1, &candidate, nullptr) == S_OK) {
    PIN_DIRECTION found = PINDIR_INPUT;
    candidate->QueryDirection(&found);
    if (found == direction && index-- == 0) {
      *pin = candidate;
      return S_OK;
    }
    candidate->Release();
  }
  return VFW_E_NOT_FOUND;
}

std::wstring ConnectedFilterName(IPin* pin) {
  ComRef<IPin> peer;
  if (FAILED(pin->ConnectedTo(peer.out()))) return L"";
  PIN_INFO info = {};
  if (FAILED(peer->QueryPinInfo(&info))) return L"";
  FILTER_INFO filterInfo = {};
  info.pFilter->QueryFilterInfo(&filterInfo);
  if (filterInfo.pGraph) filterInfo.pGraph->Release();
  info.pFilter->Release();
  return filterInfo.achName;
}

bool ReadWave(const std::string& path, WaveData* wave) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
  auto dword = [&](size_t at) -> DWORD {
    return at + 4 <= bytes.size() ? *reinterpret_cast<const DWORD*>(&bytes[at]) : 0;
  };
  auto tagAt = [&](size_t at, const char* tag) {
    return at + 4 <= bytes.size() && memcmp(&bytes[at], tag, 4) == 0;
  };
  if (!tagAt(0, "RIFF") || !tagAt(8, "WAVE")) return false;
  bool sizesAgree = dword(4) == bytes.size() - 8;
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const DWORD size = dword(at + 4);
    const size_t body = at + 8;
    if (tagAt(at, "fmt ") && size >= 16 && body + size <= bytes.size()) {
      memcpy(&wave->format, &bytes[body], size < sizeof(WAVEFORMATEX) ? size : sizeof(WAVEFORMATEX));
      haveFormat = true;
    } else if (tagAt(at, "data")) {
      // An unfinished file's data size is 0: take what is there.
      const size_t available = bytes.size() - body;
      const size_t taken = size && size <= available ? size : available;
      sizesAgree = sizesAgree && size == taken && size != 0;
      wave->data.assign(bytes.begin() + body, bytes.begin() + body + taken);
      wave->complete = sizesAgree && haveFormat;
      return haveFormat;
    }
    at = body + size + size % 2;
  }
  return false;
}
