# Writes the bytes of INPUT to OUTPUT as a C++ initializer list ("0x52,0x49,..."), sixteen to a line,
# to be included inside the braces of a byte array. Run as:
#   cmake -DINPUT=file -DOUTPUT=file.inc -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "${bytes}\n")
