// INI values through the system's profile functions. The values pass as
// bytes, so code page 1251 texts come back as they were written.
#include <windows.h>

#include "toolkit/base.h"

namespace toolkit {

std::string IniFile::valueString(const std::string& key, const std::string& value) {
    if (mode_ == Writing) {
        WritePrivateProfileStringA(section_.c_str(), key.c_str(), value.c_str(), fileName_.c_str());
        return value;
    }
    char buffer[kValueBufferSize];
    const DWORD length = GetPrivateProfileStringA(section_.c_str(), key.c_str(), value.c_str(), buffer,
                                                  static_cast<DWORD>(sizeof buffer), fileName_.c_str());
    return std::string(buffer, length);
}

}  // namespace toolkit
