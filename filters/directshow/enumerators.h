// IEnumPins over a filter's pins and IEnumMediaTypes over a pin's
// preferred types. Both hold a reference on the filter.
#pragma once

#include <windows.h>

#include <strmif.h>

class BaseFilter;
class BasePin;

HRESULT CreatePinEnumerator(BaseFilter* filter, IEnumPins** pins);
HRESULT CreateMediaTypeEnumerator(BasePin* pin, IEnumMediaTypes** types);
