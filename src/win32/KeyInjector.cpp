#include "win32/KeyInjector.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <vector>

namespace quorvane {

namespace {

struct NamedKey {
    const char* name;
    WORD key;
};

constexpr std::array<NamedKey, 9> kNamedKeys = {{
    {"TAB", VK_TAB},
    {"ENTER", VK_RETURN},
    {"ESC", VK_ESCAPE},
    {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},
    {"UP", VK_UP},
    {"DOWN", VK_DOWN},
    {"HOME", VK_HOME},
    {"END", VK_END},
}};

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses the modifiers, strikes the key, lets the modifiers go in the reverse order.
void addStroke(std::vector<INPUT>& inputs, WORD key, const std::vector<WORD>& modifiers) {
    for (WORD m : modifiers) inputs.push_back(keyInput(m, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(keyInput(*m, true));
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

void KeyInjectorWin32::sendKeys(const std::string& keys) {
    std::vector<INPUT> inputs;
    std::vector<WORD> modifiers;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (c == '+' || c == '^' || c == '%') {
            modifiers.push_back(c == '+' ? VK_SHIFT : c == '^' ? VK_CONTROL : VK_MENU);
            continue;
        }
        WORD key = 0;
        if (c == '{') {
            const std::size_t close = keys.find('}', i + 1);
            if (close == std::string::npos) break;
            const std::string name = upper(keys.substr(i + 1, close - i - 1));
            i = close;
            for (const NamedKey& named : kNamedKeys) {
                if (name == named.name) key = named.key;
            }
        } else {
            // The key that types the character on this keyboard, with the shift it needs.
            const SHORT scan = ::VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(c)));
            if (scan != -1) {
                key = LOBYTE(scan);
                if (HIBYTE(scan) & 1) modifiers.push_back(VK_SHIFT);
            }
        }
        if (key != 0) addStroke(inputs, key, modifiers);  // a name this injector does not know is left out
        modifiers.clear();
    }
    if (!inputs.empty()) ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace quorvane
