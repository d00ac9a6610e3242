#pragma once
// The running program's file name without folder and extension; the registry
// accessor names its failures after it.

#include <string>

std::string ExecutableName();
