// The settings store in the registry, where per-user settings of such programs have always
// lived: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// one REG_SZ value per key. Lists saved there by earlier installations load unchanged.
#pragma once

#include "platform/settings_store.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class RegistryStore final : public SettingsStore {
  public:
    // root is HKEY_CURRENT_USER for the program; tests give a key of their own.
    explicit RegistryStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& fallback) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    HKEY root_;
};

}  // namespace bw::win32
