# Checks that docs/skins.png shows what the program draws now: the sheet is drawn afresh at twice
# the size, as the README shows it, and both pictures are compared pixel by pixel (through
# "dorvane image decode", so that another zlib compressing the same pixels differently does not
# count).
#   cmake -DDORVANE=<program> -DSHEET=<docs/skins.png> -DWORK=<folder> -P CheckSkinSheet.cmake
foreach(step "snapshot;--sheet;${WORK}/skins.png;--scale;2"
             "image;decode;${WORK}/skins.png;${WORK}/drawn.raw"
             "image;decode;${SHEET};${WORK}/committed.raw")
  execute_process(COMMAND ${DORVANE} ${step} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dorvane ${step} failed")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/drawn.raw ${WORK}/committed.raw RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${SHEET} is not what the program draws now; draw it again with\n"
                      "  dorvane snapshot --sheet docs/skins.png --scale 2\nand look at it before committing it.")
endif()
