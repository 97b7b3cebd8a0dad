// Reads arbitrary bytes as each of the three compiled files, as the authors'
// dump does, and checks what must hold whatever the bytes are. The dump
// fuzzer and the replay of its findings both go through here.
#pragma once

#include <string>
#include <string_view>

namespace scenario::test {

// Decodes `byte` as a compiled line, a compiled train scenario and a
// compiled route grid. Whatever decodes must write back the very same bytes,
// and dump (text and JSON, whole and over a stretch) must show it, its JSON
// well formed; whatever does not decode must be refused with a reason and
// nothing shown. Returns the first rule broken, or an empty text.
std::string prova_dump(std::string_view byte);

}  // namespace scenario::test
