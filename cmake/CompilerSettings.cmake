# Warnings for the project's own targets, and the sanitizer builds used by the tests.
add_library(trackmint_warnings INTERFACE)
target_compile_options(trackmint_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       $<$<BOOL:${TRACKMINT_WERROR}>:-Werror>)

# ThreadSanitizer watches the deflate workers and the run that hands them their pieces. Its
# runtime cannot share a process with AddressSanitizer's, so it is a build of its own.
option(TRACKMINT_TSAN "Build everything with ThreadSanitizer (not with TRACKMINT_SANITIZE)" OFF)
if(TRACKMINT_TSAN AND (TRACKMINT_SANITIZE OR TRACKMINT_FUZZ))
  message(FATAL_ERROR "TRACKMINT_TSAN cannot be combined with TRACKMINT_SANITIZE or "
                      "TRACKMINT_FUZZ: ThreadSanitizer and AddressSanitizer exclude each other")
endif()

if(TRACKMINT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1 -g)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TRACKMINT_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -O1 -g)
  add_link_options(-fsanitize=thread)
endif()

# The fuzzing build instruments everything for coverage as well.
if(TRACKMINT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
