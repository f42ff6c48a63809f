#!/usr/bin/env python3
"""Prints the painting-cost figures of one benchmark run as a table.

Reads the log written by scripts/bench.sh ("name: value unit" lines) and
prints, for each figure, the measured value, its ratio against the baseline
of the same run and the goal, marked met or not. Exit status 0 whether or
not every goal is met (a benchmark run reports; it does not judge the
build); 1 when a figure is missing from the log.
"""
import re
import sys

# (row, ratio line, goal, direction, detail lines shown beside the ratio)
ROWS = [
    ("skin element 47x26 / BitBlt", "skin.draw_element_vs_bitblt_47x26", 8, "<=",
     ["skin.draw_element_47x26", "gdi.bitblt_47x26"]),
    ("skin element 47x26 transparent / BitBlt", "skin.draw_element_trans_vs_bitblt_47x26", 8,
     "<=", ["skin.draw_element_trans_47x26"]),
    ("skin element 400x26 / BitBlt", "skin.draw_element_vs_bitblt_400x26", 8, "<=",
     ["skin.draw_element_400x26", "gdi.bitblt_400x26"]),
    ("skin element 400x26 transparent / BitBlt", "skin.draw_element_trans_vs_bitblt_400x26", 8,
     "<=", ["skin.draw_element_trans_400x26", "gdi.bitblt_400x26_from_40x20"]),
    ("  key pixels scattered (a glyph's shape)", "skin.draw_element_trans_dotted_vs_bitblt_400x26", 8,
     "<=", []),
    ("menu bar paint / platform's", "paint.menu_bar_ratio_skinned_vs_native", 2, "<=",
     ["paint.menu_bar_skinned", "paint.menu_bar_native"]),
    ("menu bar composed afresh / platform's", "paint.menu_bar_composed_ratio_skinned_vs_native", 2,
     "<=", ["paint.menu_bar_composed_skinned"]),
    ("status bar paint / platform's", "paint.status_bar_ratio_skinned_vs_native", 1.1, "<=",
     ["paint.status_bar_skinned", "paint.status_bar_native"]),
    ("  on screen, invalidated and repainted", "paint.status_bar_on_screen_ratio_skinned_vs_native",
     1.1, "<=", ["paint.status_bar_on_screen_skinned", "paint.status_bar_on_screen_native"]),
    ("tab strip paint / platform's", "paint.tab_strip_ratio_skinned_vs_native", 1.1, "<=",
     ["paint.tab_strip_skinned", "paint.tab_strip_native"]),
    ("drag-resize step 1920x1080 / native", "frame.resize_ratio_skinned_vs_native", 1.1, "<=",
     ["frame.skinned_resize_step", "frame.native_resize_step"]),
    ("memo page-down skinned / plain", "memo_page_down_ratio", 1.1, "<=",
     ["memo_page_down_skinned", "memo_page_down_plain"]),
    ("skin load / its LZH decode", "skin_load_vs_decode", 1.5, "<=",
     ["skin_load_time", "skin_decode_time"]),
    ("LZH classic / product, skin (bench)", "lzh_vs_classic_skin", 1.5, ">=",
     ["lzh_product_skin", "lzh_classic_skin"]),
    ("LZH classic / product, mixed 3 MB (bench)", "lzh_vs_classic_mixed3m", 1.5, ">=",
     ["lzh_product_mixed3m", "lzh_classic_mixed3m"]),
    ("LZH classic / skintool, from outside", "lzh_outside_classic_vs_skintool", 1.5, ">=",
     ["lzh_outside_skintool_unpack", "lzh_outside_classic_unpack"]),
    ("start-up main / browser floor", "startup_main_window_vs_browser_floor_ratio", 1.1, "<=",
     ["startup_main_window_first_paint", "startup_browser_floor_first_paint"]),
    ("  the same from the program's own code on", "startup_main_window_vs_browser_floor_own_code_ratio",
     None, "", ["startup_main_window_own_code_first_paint",
                "startup_browser_floor_own_code_first_paint"]),
    ("start-up main / empty window", "startup_main_window_vs_empty_ratio", None, "",
     ["startup_empty_window_first_paint"]),
    ("start-up floor / empty window", "startup_browser_floor_vs_empty_ratio", None, "", []),
    ("caches' private bytes (gallery, both skins)", "gallery.caches_private_bytes", 4, "<=",
     ["gallery.cache_private_bytes", "gallery.kept_bytes"]),
    ("caches' GDI objects (gallery, both skins)", "gallery.caches_gdi_objects", 200, "<=",
     ["gallery.cache_gdi_objects", "gallery.kept_gdi_objects"]),
    ("GDI objects of the process, all pages shown", "gallery.gdi_objects_counted", 1000, "<=", []),
]

LINE = re.compile(r"^([A-Za-z0-9_.]+):\s+(-?[0-9.]+)\s*(\S*)\s*$")


def read(path):
    figures = {}
    with open(path, encoding="utf-8", errors="replace") as log:
        for line in log:
            match = LINE.match(line.strip())
            if match:
                figures[match.group(1)] = (float(match.group(2)), match.group(3))
    return figures


def main(path):
    figures = read(path)
    missing = 0
    print(f"{'figure':46} {'value':>10} {'goal':>8}  {'':4} detail")
    for row, name, goal, direction, details in ROWS:
        if name not in figures:
            print(f"{row:46} {'missing':>10}")
            missing += 1
            continue
        value, unit = figures[name]
        if goal is None:
            verdict, goal_text = "", ""
        else:
            met = value <= goal if direction == "<=" else value >= goal
            verdict, goal_text = ("met" if met else "NOT"), f"{direction}{goal:g}"
        shown = [f"{d.split('.')[-1]} {figures[d][0]:g} {figures[d][1]}" for d in details
                 if d in figures]
        print(f"{row:46} {value:>8.3f} {unit:1} {goal_text:>8}  {verdict:4} {'; '.join(shown)}")
    return 1 if missing else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: bench_table.py LOG")
    sys.exit(main(sys.argv[1]))
