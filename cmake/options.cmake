# One place for warnings and sanitizer flags; every target links tavlo_options.
add_library(tavlo_options INTERFACE)
target_compile_options(tavlo_options INTERFACE -Wall -Wextra -Wpedantic)
# Relocations read-only and bound at start, as Debian's hardened builds have them.
target_link_options(tavlo_options INTERFACE -Wl,-z,relro,-z,now)
if(TAVLO_WERROR)
    target_compile_options(tavlo_options INTERFACE -Werror)
endif()

if(TAVLO_SANITIZE)
    # Applied globally so that Qt's inline code in our objects is instrumented the same way.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
