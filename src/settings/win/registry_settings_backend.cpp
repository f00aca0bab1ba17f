#include "settings/win/registry_settings_backend.h"

#include "platform/product.h"

#include <cstring>
#include <utility>
#include <vector>

namespace kelmar::settings {

namespace {

std::wstring wide(std::string_view text, platform::CodePage codePage) {
    const std::u16string utf16 = platform::toUtf16(text, codePage);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string narrow(std::wstring_view text, platform::CodePage codePage) {
    return platform::fromUtf16(std::u16string(text.begin(), text.end()), codePage);
}

// Closes a key however the function leaves.
struct OpenKey {
    HKEY key = nullptr;
    ~OpenKey() {
        if (key) RegCloseKey(key);
    }
};

}  // namespace

RegistrySettingsBackend::RegistrySettingsBackend(HKEY base, std::string rootKey, platform::CodePage codePage,
                                                 platform::Messages& messages, const LanguageTexts* texts)
    : base_(base), rootKey_(std::move(rootKey)), codePage_(codePage), messages_(messages), texts_(texts) {}

std::pair<std::wstring, std::wstring> RegistrySettingsBackend::locate(const std::string& name) const {
    std::string path = rootKey_;
    std::string value = name;
    if (const auto slash = name.rfind('\\'); slash != std::string::npos) {
        path += "\\" + name.substr(0, slash);
        value = name.substr(slash + 1);
    }
    return {wide(path, codePage_), wide(value, codePage_)};
}

std::optional<std::string> RegistrySettingsBackend::read(const std::string& name) {
    const auto [path, value] = locate(name);
    OpenKey key;
    if (RegOpenKeyExW(base_, path.c_str(), 0, KEY_QUERY_VALUE, &key.key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.key, value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    // A hostile value may be huge; settings are short texts.
    if (size > 64 * 1024) return std::nullopt;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(key.key, value.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        return std::to_string(static_cast<long>(static_cast<LONG>(number)));
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    // Stored texts may or may not carry their terminating NUL.
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return narrow(text, codePage_);
}

bool RegistrySettingsBackend::write(const std::string& name, const std::string& value) {
    const auto [path, valueName] = locate(name);
    OpenKey key;
    LONG status = RegCreateKeyExW(base_, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key.key, nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring text = wide(value, codePage_);
        status = RegSetValueExW(key.key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (status == ERROR_SUCCESS) return true;
    // A user without rights to the key would otherwise lose every change without a word.
    if (!std::exchange(refusalShown_, true)) {
        const std::string error = std::to_string(status);
        messages_.error(platform::kApplicationTitle,
                        texts_ ? texts_->text(Text::RegistryWriteRefused, {name, rootKey_, error})
                               : englishText(Text::RegistryWriteRefused, {name, rootKey_, error}));
    }
    return false;
}

}  // namespace kelmar::settings
