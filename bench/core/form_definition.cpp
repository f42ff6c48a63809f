// Builds the benchmark's form definition once.
#include "bench/core/form_definition.h"

#include <cstdint>

namespace {

// Hex lines of pseudo-random bytes, as the writer lays them out.
std::string BinaryValue(int bytes) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "{";
    uint32_t x = 2463534242u;
    for (int i = 0; i < bytes; ++i) {
        if (i % 32 == 0)
            out += "\n      ";
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out += hex[(x >> 4) & 15];
        out += hex[x & 15];
    }
    return out + "}";
}

std::string Component(int i) {
    const bool button = i % 2 == 1;
    const std::string name = (button ? "Button" : "Widget") + std::to_string(i);
    std::string s = "  object " + name + (button ? ": TSampleButton\n" : ": TSampleWidget\n");
    s += "    Caption = '" + name + " caption'\n";
    s += "    Title = '\xE5\xB2\x9A\xE6\x8B\x93" + std::to_string(i) + "'\n";
    s += "    Width = " + std::to_string(100 + i) + "\n";
    s += "    Layout = slGlyphTop\n";
    s += "    Options = [First, Third]\n";
    s += "    Ratio = 19.05\n";
    s += "    Font.Height = -13\n";
    s += "    Font.Name = '\xE5\xAE\x8B\xE4\xBD\x93'\n";
    s += "    Font.Color = clBtnFace\n";
    s += "    Lines = (\n      'one'\n      'two')\n";
    s += "    Panels = <\n      item\n        Width = 100\n        Alignment = saCenter\n"
         "      end>\n";
    if (i > 0)
        s += "    Buddy = Widget0\n";
    s += "    OnClick = FormCreate\n";
    if (i == kBenchComponents / 2)
        s += "    Blob = " + BinaryValue(kBenchBinaryBytes) + "\n";
    return s + "  end\n";
}

} // namespace

const std::string& BenchDefinition() {
    static const std::string text = [] {
        std::string s = "object BenchForm: TSampleForm\n  Caption = 'Bench'\n  Margin = 19.05\n";
        for (int i = 0; i < kBenchComponents; ++i)
            s += Component(i);
        return s + "end\n";
    }();
    return text;
}
