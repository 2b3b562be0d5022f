// Reading Wine's text registry files (a prefix's system.reg): the text values
// of one key. Plain C++ without Qt, so that it can be fuzzed on its own.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mw {

// The text values (REG_SZ and REG_EXPAND_SZ, unexpanded) of one key, by value
// name ignoring ASCII case; "" names the key's default value ("@" in the file).
class WineRegistryKey {
public:
    std::optional<std::string> Text(std::string_view valueName) const;
    void SetText(std::string_view valueName, std::string text);
    void Forget(std::string_view valueName);

private:
    std::map<std::string, std::string> texts_;  // by lower-cased name
};

// The key at keyPath ("\" between levels, any case, relative to the file's
// root) in the text of a Wine registry file, its texts decoded to UTF-8.
// Nothing when the text lacks the "WINE REGISTRY Version 2" first line or
// the key. A key spread over several sections gets the values of all; a
// value given twice keeps the later one. Lines that cannot be read are
// skipped, as Wine itself skips them.
std::optional<WineRegistryKey> FindWineRegistryKey(std::string_view fileText, std::string_view keyPath);

}  // namespace mw
