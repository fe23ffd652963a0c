# datagen stops on level data that refers to what does not exist, naming the record, and writes
# nothing. Run by ctest with -DDATAGEN=<program> -DLIBRARY=<built libdata.bin> -DWORK_DIR=<folder>.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect_refusal name json expected)
  set(source ${WORK_DIR}/${name}.json)
  set(output ${WORK_DIR}/${name}.bin)
  file(WRITE ${source} "${json}")
  execute_process(COMMAND ${DATAGEN} levelsdata ${output} ${source} ${LIBRARY}
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  if(result EQUAL 0)
    message(FATAL_ERROR "${name}: datagen accepted it")
  endif()
  if(EXISTS ${output})
    message(FATAL_ERROR "${name}: datagen wrote ${output}")
  endif()
  string(FIND "${error}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: expected \"${expected}\", datagen said: ${error}")
  endif()
endfunction()

set(soup "{\"Name\": \"soup\", \"Items\": [{\"Value\": 3000, \"Name\": \"Devices.saucepan\"}]}")
expect_refusal(unknown_recipe
  "{\"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_1\", \"Orders\": [{\"Recept\": \"soup\"}, {\"Kind\": 1}, {\"Recept\": \"sopu\"}]}]}"
  "level \"test_1\": order 2 names the unknown recipe \"sopu\"")
expect_refusal(unknown_base
  "{\"Levels\": [{\"Name\": \"test_2\", \"base\": \"test_1\"}]}"
  "/Levels/0/base: no earlier level \"test_1\"")
