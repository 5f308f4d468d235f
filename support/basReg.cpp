#include "support/basReg.h"

#include <windows.h>

#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/registryKey.h"
#include "support/systemText.h"

namespace {
// KEY_READ without KEY_NOTIFY.
constexpr REGSAM queryAccess = READ_CONTROL | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE;
constexpr std::size_t bufferBytes = 256;
constexpr DWORD declaredBytes = 254;
}  // namespace

std::string getRegString(const std::string& keyPath, const std::string& valueName) {
    std::string buffer = blankBuffer(bufferBytes);
    RegistryKey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, queryAccess, key.receive());

    DWORD type = REG_SZ;
    DWORD size = declaredBytes;
    const LONG result = bound::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(&buffer[0]), &size);
    // A value too long for the buffer, or any other failure, leaves nothing
    // worth reading.
    if (result != ERROR_SUCCESS) {
        return std::string();
    }
    return textFromAnsi(nTrim(buffer));
}
