// Feeds arbitrary bytes to the form-definition reader. A definition must
// either raise one of the framework's exceptions (and leave nothing behind)
// or build a form; a built form is written out, read into a fresh form and
// written again, and the two texts must agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/core/exception.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "tests/framework/core/sample_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterSampleClasses(), true);
    (void)registered;
    SampleLog().clear(); // the samples journal their calls; keep it from growing
    const std::string text(reinterpret_cast<const char*>(data), size);
    TSampleForm form;
    try {
        ReadFormDefinition(form, text);
    } catch (const Exception&) {
        if (form.ComponentCount() != 0 || !form.ComponentState().Empty())
            std::abort(); // a failed read left components or states behind
        return 0;
    }
    const std::string first = WriteFormDefinition(form);
    TSampleForm copy;
    try {
        ReadFormDefinition(copy, first);
    } catch (const Exception& e) {
        std::fprintf(stderr, "written text does not read back: %s\n%s\n", e.what(), first.c_str());
        std::abort();
    }
    const std::string second = WriteFormDefinition(copy);
    if (second != first) {
        std::fprintf(stderr, "round trip differs:\n%s\n----\n%s\n", first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
