# Writes INPUT into OUTPUT as a C++ byte array behind the function FUNCTION (namespace trackmint),
# declared in HEADER. Run with cmake -P at build time, so a changed image is picked up.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated at build time from resources/${input_name}; do not edit.
#include \"${HEADER}\"

namespace trackmint {
namespace {

constexpr unsigned char kData[${byte_count}] = {
    ${bytes}
};

}  // namespace

std::span<const unsigned char> ${FUNCTION}() { return kData; }

}  // namespace trackmint
")
