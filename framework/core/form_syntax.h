// Syntax tree of a form definition and its parser. The text format:
//
//   object Form_Main: TForm_Main         (or "object TClass" without a name)
//     Caption = 'It''s'#13#10'more' + 'text'    strings: UTF-8 inside quotes,
//     Left = 193                                #N code points, + joins
//     Margin = 19.05
//     Font.Height = -13                          dotted paths into sub-objects
//     Align = alBottom                           identifiers
//     Options = [xoMenuMerge, xoNCPaint]         sets
//     Lines = ('one' 'two')                      lists (string lists)
//     Panels = < item Width = 100 end item end > collections
//     SkinStream = {0A0B0C}                      binary data (hex)
//     OnCreate = FormCreate                      event handler names
//     object StatusBar_Main: TStatusBar          owned components, nested
//     end
//   end
//
// Keywords (object, end, item) are case-insensitive. Errors raise EReadError
// with the line and the problem.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TFormItem;

struct TFormValue {
    enum class Kind { Integer, Float, Ident, String, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    int line = 0;
    int64_t integer = 0;            // Integer
    double number = 0;              // Float
    std::string text;               // Ident, String (UTF-8)
    std::vector<std::string> names; // Set members
    std::vector<TFormValue> list;   // List
    std::vector<TFormItem> items;   // Collection
    std::vector<uint8_t> bytes;     // Binary
};

struct TFormProperty {
    std::string path; // "Font.Height"
    TFormValue value;
    int line = 0;
};

struct TFormItem {
    std::vector<TFormProperty> props;
    int line = 0;
};

struct TFormObject {
    std::string name; // may be empty
    std::string className;
    int line = 0;
    std::vector<TFormProperty> props;
    std::vector<TFormObject> children;
};

// Parses the whole text: exactly one root object. Raises EReadError.
TFormObject ParseFormDefinition(std::string_view text);
