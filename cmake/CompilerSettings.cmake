# Warnings for the project's own targets, and the sanitizer build used by the tests.
add_library(trackmint_warnings INTERFACE)
target_compile_options(trackmint_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       $<$<BOOL:${TRACKMINT_WERROR}>:-Werror>)

if(TRACKMINT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1 -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzzing build instruments everything for coverage as well.
if(TRACKMINT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
