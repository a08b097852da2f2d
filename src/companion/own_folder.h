// The folder this executable was started from.
#pragma once

#include <string>

namespace orlimo::companion {

// The full path of this executable's folder, without a closing "\"; empty when unknown.
std::wstring OwnFolder();

}  // namespace orlimo::companion
