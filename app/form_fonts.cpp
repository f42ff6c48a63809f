// Fonts of form definitions; see the header.
#include "framework/ui/win32.h"

#include "app/form_fonts.h"

#include "framework/core/form_syntax.h"
#include "framework/core/property_access.h"
#include "framework/core/utf8.h"
#include "framework/ui/ui_idents.h"

#include <map>
#include <sstream>
#include <vector>

namespace {

struct FontLine {
    std::string property; // after "Font."
    TFormValue value;
};

// Character sets by name.
int CharsetValue(const std::string& ident) {
    static const std::map<std::string, int> sets = {
        {"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1},       {"SYMBOL_CHARSET", 2},
        {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136}, {"OEM_CHARSET", 255}};
    auto it = sets.find(ident);
    return it == sets.end() ? 1 : it->second;
}

// Applies one font line to a font.
void ApplyFontLine(TFont& font, const FontLine& line) {
    const TFormValue& v = line.value;
    if (line.property == "Name") {
        font.SetName(Utf8ToWide(v.text));
    } else if (line.property == "Height") {
        font.SetHeight(static_cast<int>(v.integer));
    } else if (line.property == "Charset") {
        font.SetCharset(v.kind == TFormValue::Kind::Integer ? static_cast<int>(v.integer)
                                                            : CharsetValue(v.text));
    } else if (line.property == "Color") {
        int32_t colour = static_cast<int32_t>(v.integer);
        if (v.kind == TFormValue::Kind::Ident)
            ColorIdents().ToInt(v.text, colour);
        font.SetColor(colour);
    } else if (line.property == "Style") {
        TFontStyles style;
        for (const std::string& name : v.names) {
            if (name == "fsBold")
                style.Include(fsBold);
            if (name == "fsItalic")
                style.Include(fsItalic);
            if (name == "fsUnderline")
                style.Include(fsUnderline);
            if (name == "fsStrikeOut")
                style.Include(fsStrikeOut);
        }
        font.SetStyle(style);
    }
}

// Takes the Font.* properties out of an object tree, by object name.
void Collect(TFormObject& obj, std::map<std::string, std::vector<FontLine>>& fonts) {
    std::vector<TFormProperty> kept;
    for (TFormProperty& p : obj.props) {
        if (p.path.rfind("Font.", 0) == 0) {
            fonts[obj.name].push_back({p.path.substr(5), p.value});
        } else {
            kept.push_back(std::move(p));
        }
    }
    obj.props = std::move(kept);
    for (TFormObject& child : obj.children)
        Collect(child, fonts);
}

// Removes the "Font." lines from the text (the parsed tree tells which exist).
std::string StripFontLines(const std::string& text) {
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, 5, "Font.") == 0)
            continue;
        out += line;
        out += '\n';
    }
    return out;
}

} // namespace

// Reads the definition, then sets the fonts it named.
void ReadDefinitionWithFonts(TCustomForm& form, const std::string& text) {
    if (HasProperty(&form, "Font")) {
        form.ReadDefinition(text);
        return;
    }
    TFormObject tree = ParseFormDefinition(text);
    std::map<std::string, std::vector<FontLine>> fonts;
    Collect(tree, fonts);
    // The form's font first so that parent-font controls can take it in Loaded.
    for (const FontLine& line : fonts[tree.name])
        ApplyFontLine(form.Font(), line);
    form.ReadDefinition(StripFontLines(text));
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form.Components(i));
        if (!control)
            continue;
        auto own = fonts.find(control->Name());
        if (own == fonts.end() || own->second.empty()) {
            control->Font().Assign(form.Font());
        } else {
            for (const FontLine& line : own->second)
                ApplyFontLine(control->Font(), line);
        }
    }
}
