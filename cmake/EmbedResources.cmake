# cmake -DOUTPUT=file.cpp -DINPUTS="a.res;b.res" -P EmbedResources.cmake
# Writes a source file that holds the compiled resource files one after the other
# (fwtest::builtResources in tests/support/DialogTemplates.h).
set(bytes "")
foreach(input ${INPUTS})
  file(READ ${input} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(APPEND bytes "${hex}\n")
endforeach()
file(WRITE ${OUTPUT}.tmp "#include \"tests/support/DialogTemplates.h\"

namespace fwtest {

std::pair<const unsigned char*, std::size_t> builtResources() {
    static const unsigned char kResources[] = {
${bytes}    };
    return {kResources, sizeof kResources};
}

}  // namespace fwtest
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
