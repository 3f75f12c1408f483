// Text services used everywhere: upper-casing, paths beside the module, wide text, numbers.
#pragma once

#include <cstdint>
#include <string>

// Each byte through the C locale's toupper: only a to z change.
std::string toUpperCopy(std::string text);
// The folder of a module file given in the "\" form (with its closing "\"), followed by name.
std::string joinModuleFolder(const std::string& moduleFile, const std::string& name);
// The module's folder (with its closing "\") followed by name, which may use "/".
std::string modulePath(const std::string& name);
std::u16string modulePathWide(const std::string& name);
std::u16string utf8ToWide(const std::string& text);
// The decimal text of a value, as "%i" writes it.
std::string intToString(int32_t value);
