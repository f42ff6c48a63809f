// TFiler: what a persistent object's DefineProperties sees while a form
// definition is read or written. Defined properties are stored besides the
// published ones: binary data ("SkinStream", bitmap data) through streams,
// other values (old property names) through TReader / TWriter.
//
//   void TSkinData::DefineProperties(TFiler& filer) {
//       inherited::DefineProperties(filer);
//       filer.DefineBinaryProperty("SkinStream",
//           [this](TStream& s) { ReadSkinStream(s); },
//           [this](TStream& s) { WriteSkinStream(s); }, true);
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/form_syntax.h"

class TComponent;
class TStream;
class TStringList;

// Reads the value of one defined property; a value of another kind raises
// EReadError.
class TReader {
public:
    TReader(const TFormValue& value, TComponent* root) : value_(value), root_(root) {}
    int32_t ReadInteger() const;
    bool ReadBoolean() const;
    // Text converted to the ANSI code page.
    std::string ReadString() const;
    std::wstring ReadWideString() const;
    std::string ReadIdent() const;
    double ReadFloat() const;
    // Replaces list's lines with the value's list of strings.
    void ReadStrings(TStringList& list) const;
    const TFormValue& Value() const { return value_; }
    TComponent* Root() const { return root_; }

private:
    [[noreturn]] void Invalid() const;
    const TFormValue& value_;
    TComponent* root_;
};

// Writes the value of one defined property (the last write counts).
class TWriter {
public:
    explicit TWriter(TComponent* root) : root_(root) {}
    void WriteInteger(int32_t v);
    void WriteBoolean(bool v);
    // Text in the ANSI code page.
    void WriteString(const std::string& ansi);
    void WriteWideString(const std::wstring& text);
    void WriteIdent(const std::string& ident);
    void WriteFloat(double v);
    void WriteStrings(const TStringList& list);
    bool HasValue() const { return hasValue_; }
    const TFormValue& Value() const { return value_; }
    TComponent* Root() const { return root_; }

private:
    TFormValue value_;
    bool hasValue_ = false;
    TComponent* root_;
};

class TFiler {
public:
    using ReadProc = std::function<void(TReader&)>;
    using WriteProc = std::function<void(TWriter&)>;
    using StreamProc = std::function<void(TStream&)>;
    virtual ~TFiler() = default;
    // A defined property with a value of the text format. hasData tells the
    // writer whether to write it at all.
    virtual void DefineProperty(const std::string& name, ReadProc read, WriteProc write,
                                bool hasData) = 0;
    // A defined property holding bytes: read gets a stream positioned at the
    // start of the data; write appends the data to the stream it is given.
    virtual void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc write,
                                      bool hasData) = 0;
    virtual bool IsReading() const = 0;
    // The root of the definition (the form).
    virtual TComponent* Root() const = 0;
};
