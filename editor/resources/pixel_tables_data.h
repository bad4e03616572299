// Start and end of each embedded panel bitmap table (see pixel_tables_data.cpp).
#pragma once

#include "comkit/types.h"

#define ZQ_TABLE_SYMBOLS(symbol)                                                                                       \
    extern "C" __attribute__((visibility("hidden"))) const BYTE symbol##_begin[];                                      \
    extern "C" __attribute__((visibility("hidden"))) const BYTE symbol##_end[]

ZQ_TABLE_SYMBOLS(zq_font_table);
ZQ_TABLE_SYMBOLS(zq_light_table);
ZQ_TABLE_SYMBOLS(zq_function_table);

#undef ZQ_TABLE_SYMBOLS
