#include "com_server/server_classes.h"

int FindServerClass(REFCLSID clsid) {
  for (int i = 0; i < kServerClassCount; ++i) {
    if (IsEqualCLSID(clsid, kServerClasses[i].clsid)) return i;
  }
  return -1;
}
