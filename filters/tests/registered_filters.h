// A test suite whose programs use kmfilters.dll through COM: the server is
// loaded and registered in the program's private registry once per suite.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include "com_server/tests/server_module.h"

class RegisteredFilters : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    server_ = new ServerModule(KMFILTERS_PATH);
    ASSERT_TRUE(server_->Loaded());
    ASSERT_EQ(server_->registerServer(), S_OK);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
    CoUninitialize();
  }

 private:
  static inline ServerModule* server_ = nullptr;
};
