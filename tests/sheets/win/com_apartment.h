#pragma once
// The test's own single-threaded apartment, for as long as the fixture lives.
#include <windows.h>
// after windows.h
#include <objbase.h>

#include <gtest/gtest.h>

class ComApartment {
 public:
  ComApartment() { EXPECT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() { CoUninitialize(); }
};
