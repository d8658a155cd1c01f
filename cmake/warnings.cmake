# Project-wide warning and sanitizer settings, applied to every target we own.
add_library(vantrel_options INTERFACE)
# -Wshadow=local is the compiler's own spelling; clang (the fuzz build) has no such option.
target_compile_options(vantrel_options INTERFACE -Wall -Wextra
                                                 $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
                                                 -Wnon-virtual-dtor)
# Position-independent code that still calls its own functions directly, as a program does.
target_compile_options(vantrel_options INTERFACE -fno-semantic-interposition)
if(VANTREL_WERROR)
    target_compile_options(vantrel_options INTERFACE -Werror)
endif()
if(VANTREL_SANITIZE)
    target_compile_options(vantrel_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                     -fno-sanitize-recover=undefined)
    target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()
if(VANTREL_FUZZ)
    # Coverage for libFuzzer in every library the targets link, so it sees into the readers.
    target_compile_options(vantrel_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                     -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()
