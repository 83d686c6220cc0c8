#pragma once

// Marks the C++ interface of libkbxplatform.so that the other libraries of the
// system use; everything else in the library stays hidden.
#define KBX_PLATFORM_API __attribute__((visibility("default")))
