#pragma once
// The game keeps its texts in UTF-8; Windows shows UTF-16.
#include <string>

namespace quindra::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

} // namespace quindra::win32
