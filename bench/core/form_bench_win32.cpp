// Form-definition benchmark for the Windows build: the main-window-sized
// definition read in full against its bare parse, and written back.
#include <cstdio>

#include "bench/bench_util.h"
#include "bench/core/form_definition.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_syntax.h"
#include "framework/core/form_writer.h"
#include "tests/framework/core/sample_classes.h"

int main() {
    RegisterSampleClasses();
    const std::string& text = BenchDefinition();
    const double read = bench::MedianNs(7, 5, [&] {
        TSampleForm form;
        ReadFormDefinition(form, text);
    });
    const double parse = bench::MedianNs(7, 5, [&] {
        TFormObject def = ParseFormDefinition(text);
        if (def.children.size() != kBenchComponents)
            std::printf("unexpected component count\n");
    });
    TSampleForm form;
    ReadFormDefinition(form, text);
    const double write = bench::MedianNs(7, 5, [&] {
        if (WriteFormDefinition(form).empty())
            std::printf("empty output\n");
    });
    bench::Report("form_read_200_components_55KB", read / 1e6, "ms");
    bench::Report("form_parse_only", parse / 1e6, "ms");
    bench::Report("form_read_vs_parse", read / parse, "ratio");
    bench::Report("form_write", write / 1e6, "ms");
    bench::Report("form_definition_size", static_cast<double>(text.size()) / 1024.0, "KB");
    return 0;
}
