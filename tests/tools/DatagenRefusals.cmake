# datagen refuses sources the game's data cannot come from: it fails, writes nothing and names the
# file and the JSON path. Run by ctest with -DDATAGEN=<program> -DWORK_DIR=<folder>.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect_refusal name json expected)
  set(source ${WORK_DIR}/${name}.json)
  set(output ${WORK_DIR}/${name}.bin)
  file(WRITE ${source} "${json}")
  execute_process(COMMAND ${DATAGEN} gamedata ${output} ${source}
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  if(result EQUAL 0)
    message(FATAL_ERROR "${name}: datagen accepted it")
  endif()
  if(EXISTS ${output})
    message(FATAL_ERROR "${name}: datagen wrote ${output}")
  endif()
  string(FIND "${error}" "${source}: ${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: expected \"${source}: ${expected}\", datagen said: ${error}")
  endif()
endfunction()

expect_refusal(unknown_key
  "// a misspelt member of a sound record\n{\"sounds\": [{\"key\": 2, \"name\": \"click\"}, {\"key\": 3, \"nmae\": \"click\"}]}"
  "/sounds/1/nmae: unknown key")
expect_refusal(string_for_number
  "{\"persParams\": {\"dresses\": [0, \"one\"]}}"
  "/persParams/dresses/1: expected a 32-bit integer")
