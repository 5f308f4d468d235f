#include "e2e/harness/windows98Copy.h"

#include <windows.h>

#include "e2e/harness/environment.h"

namespace e2e {

Windows98Copy::Windows98Copy(const std::string& fileName)
    : folder_("win98"),
      version_(HKEY_CURRENT_USER, appDefaultsKey(fileName), "Version"),
      path_(folder_.at(fileName)) {
    valid_ = folder_.valid() && copyFile(programPath(), path_) && version_.set("win98");
}

}  // namespace e2e
