# Project-wide warning and sanitizer settings, applied to every target we own.
add_library(vantrel_options INTERFACE)
target_compile_options(vantrel_options INTERFACE -Wall -Wextra -Wshadow=local -Wnon-virtual-dtor)
if(VANTREL_WERROR)
    target_compile_options(vantrel_options INTERFACE -Werror)
endif()
if(VANTREL_SANITIZE)
    target_compile_options(vantrel_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                     -fno-sanitize-recover=undefined)
    target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()
