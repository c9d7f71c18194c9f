// UTF-8 names of the game to the UTF-16 names Windows takes, and back.
#pragma once
#include <string>

std::wstring Utf16FromUtf8(const std::string& text);
std::string Utf8FromUtf16(const std::wstring& text);
