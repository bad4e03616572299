// The three panel bitmap tables, assembled into the library as read-only data. The build passes the
// table files' paths; a changed file rebuilds this unit.
#include "editor/resources/pixel_tables_data.h"

#define ZQ_EMBED_TABLE(symbol, file)                                                                                   \
    __asm__(".section .rodata." #symbol ",\"a\",@progbits\n"                                                           \
            ".balign 16\n"                                                                                             \
            ".globl " #symbol "_begin\n"                                                                               \
            ".hidden " #symbol "_begin\n" #symbol "_begin:\n"                                                          \
            ".incbin \"" file "\"\n"                                                                                   \
            ".globl " #symbol "_end\n"                                                                                 \
            ".hidden " #symbol "_end\n" #symbol "_end:\n"                                                              \
            ".previous\n")

ZQ_EMBED_TABLE(zq_font_table, ZQ_FONT_TABLE_FILE);
ZQ_EMBED_TABLE(zq_light_table, ZQ_LIGHT_TABLE_FILE);
ZQ_EMBED_TABLE(zq_function_table, ZQ_FUNCTION_TABLE_FILE);
