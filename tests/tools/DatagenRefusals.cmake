# datagen refuses sources the game's data cannot come from: it fails and writes nothing, and names the
# file and the JSON path, or the level record that refers to what does not exist. Run by ctest with
# -DDATAGEN=<program> -DLIBRARY=<built libdata.bin> -DSCRIPT=<the sample's resource script> -DWORK_DIR=<folder>.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Runs `datagen <kind> <output> <source> <extra arguments>`; "<source>" in `expected` stands for the
# source file's path.
function(expect_refusal kind name json expected)
  set(source ${WORK_DIR}/${name}.json)
  set(output ${WORK_DIR}/${name}.bin)
  file(WRITE ${source} "${json}")
  execute_process(COMMAND ${DATAGEN} ${kind} ${output} ${source} ${ARGN}
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  if(result EQUAL 0)
    message(FATAL_ERROR "${name}: datagen accepted it")
  endif()
  if(EXISTS ${output})
    message(FATAL_ERROR "${name}: datagen wrote ${output}")
  endif()
  string(REPLACE "<source>" "${source}" expected "${expected}")
  string(FIND "${error}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: expected \"${expected}\", datagen said: ${error}")
  endif()
endfunction()

expect_refusal(gamedata unknown_key
  "// a misspelt member of a sound record\n{\"sounds\": [{\"key\": 2, \"name\": \"click\"}, {\"key\": 3, \"nmae\": \"click\"}]}"
  "<source>: /sounds/1/nmae: unknown key")
expect_refusal(gamedata string_for_number
  "{\"persParams\": {\"dresses\": [0, \"one\"]}}"
  "<source>: /persParams/dresses/1: expected a 32-bit integer")

set(soup "{\"Name\": \"soup\", \"Items\": [{\"Value\": 3000, \"Name\": \"Devices.saucepan\"}]}")
expect_refusal(levelsdata unknown_recipe
  "{\"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_1\", \"Orders\": [{\"Recept\": \"soup\"}, {\"Kind\": 1}, {\"Recept\": \"sopu\"}]}]}"
  "level \"test_1\": order 2 names the unknown recipe \"sopu\"" ${LIBRARY} ${SCRIPT})
expect_refusal(levelsdata unknown_base
  "{\"Levels\": [{\"Name\": \"test_2\", \"base\": \"test_1\"}]}"
  "/Levels/0/base: no earlier level \"test_1\"" ${LIBRARY} ${SCRIPT})

# A customer whose face the resource script does not make: the sample's faces are 1 to 7.
expect_refusal(levelsdata portrait_missing
  "{\"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_7\", \"Objects\": [{\"Name\": \"Devices.saucepan\"}], \"Orders\": [{\"Recept\": \"soup\", \"Portrait\": 1}, {\"Kind\": 101, \"Recept\": \"soup\", \"Portrait\": 8}]}]}"
  "level \"test_7\": order 1 shows the portrait 8, but the resource script has no \"interfaces.judge_8\"" ${LIBRARY} ${SCRIPT})

# An object of the library that the resource script draws nothing for, placed in a kitchen.
file(WRITE ${WORK_DIR}/unseen_library.json "{\"Ingridients\": [{\"Name\": \"Devices.saucepan\", \"Kind\": 1}, {\"Name\": \"Scenery.unseen\"}]}")
execute_process(COMMAND ${DATAGEN} libdata ${WORK_DIR}/unseen_library.bin ${WORK_DIR}/unseen_library.json RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "datagen did not build the library with an unseen object")
endif()
expect_refusal(levelsdata object_unseen
  "{\"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_8\", \"Objects\": [{\"Name\": \"Devices.saucepan\"}, {\"Name\": \"Scenery.unseen\"}], \"Orders\": [{\"Recept\": \"soup\", \"Portrait\": 1}]}]}"
  "level \"test_8\": the placed object \"Scenery.unseen\" has no animation in the resource script" ${WORK_DIR}/unseen_library.bin ${SCRIPT})

# A kitchen that lacks what its customers order: a bonus customer's device, an ordinary customer's
# ingredient. A device of another name but the same title would do (the sample has none such).
set(pizza "{\"Name\": \"pizza\", \"Items\": [{\"Value\": 3500, \"Name\": \"Devices.micro_wave\"}]}")
set(bread_soup "{\"Name\": \"bread_soup\", \"Items\": [{\"Value\": 3000, \"Name\": \"Devices.saucepan\"}, {\"Name\": \"Places.bread\"}]}")
set(saucepan "{\"Name\": \"Devices.saucepan\"}")
expect_refusal(levelsdata kitchen_lacks_device
  "{\"Recepts\": [${soup}, ${pizza}], \"Levels\": [{\"Name\": \"test_3\", \"Objects\": [${saucepan}], \"Orders\": [{\"Recept\": \"soup\"}, {\"Kind\": 100, \"Recept\": \"pizza\"}]}]}"
  "level \"test_3\": order 1 asks for the recipe \"pizza\", whose item \"Devices.micro_wave\" the kitchen lacks" ${LIBRARY} ${SCRIPT})
expect_refusal(levelsdata kitchen_lacks_ingredient
  "{\"Recepts\": [${bread_soup}], \"Levels\": [{\"Name\": \"test_4\", \"Objects\": [${saucepan}], \"Orders\": [{\"Recept\": \"bread_soup\"}]}]}"
  "level \"test_4\": order 0 asks for the recipe \"bread_soup\", whose item \"Places.bread\" the kitchen lacks" ${LIBRARY} ${SCRIPT})

# A kitchen whose heroine can't walk to what her customers want: the saucepan on the back wall above
# the floor, whose walk cell falls on the blocked back row; the griddle at the front in a room walled
# off from her home cell.
set(open_row "\"................\"")
set(wall_row "\"################\"")
set(floor "\"ScorePoint\": {\"X\": 8, \"Y\": 9}, \"FloorQuad\": [[160, 300], [640, 300], [0, 600], [800, 600]]")
set(stage "\"Stages\": [{\"Name\": \"stage1\", \"Number\": 1}]")
set(steak "{\"Name\": \"steak\", \"Items\": [{\"Value\": 4000, \"Name\": \"Devices.griddle\"}]}")
expect_refusal(levelsdata walk_cell_blocked
  "{${stage}, \"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_5\", \"StageName\": \"stage1\", ${floor}, \"WalkGrid\": [${wall_row}, ${wall_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}], \"Objects\": [{\"Name\": \"Devices.saucepan\", \"X\": 150, \"Y\": 170, \"ScaleX\": 4, \"ScaleY\": 4}], \"Orders\": [{\"Recept\": \"soup\"}]}]}"
  "level \"test_5\": the object \"Devices.saucepan\" at (150, 170) can't be reached: its walk cell (8, 0) is blocked" ${LIBRARY} ${SCRIPT})
expect_refusal(levelsdata walk_cell_cut_off
  "{${stage}, \"Recepts\": [${steak}], \"Levels\": [{\"Name\": \"test_6\", \"StageName\": \"stage1\", ${floor}, \"WalkGrid\": [${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${wall_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}], \"Objects\": [{\"Name\": \"Devices.griddle\", \"X\": 400, \"Y\": 500}], \"Orders\": [{\"Recept\": \"steak\"}]}]}"
  "level \"test_6\": the object \"Devices.griddle\" at (400, 500) can't be reached from the home cell (8, 9): its walk cell (8, 15) is cut off" ${LIBRARY} ${SCRIPT})

# A screen the flow shows on two layouts: the game screen opened by a replay on the placeholder.
set(to_game "\"target\": \"GameScreen\", \"switchName\": \"interfaces.game_screen\"")
set(to_placeholder "\"target\": \"GameScreen\", \"switchName\": \"interfaces.placeholder\"")
expect_refusal(gamedata flow_two_layouts
  "{\"flowRules\": [{\"screen\": \"ProgressMapScreen\", ${to_game}}, {\"screen\": \"InGameMenuScreen\", \"target\": \"None\"}, {\"screen\": \"InGameMenuScreen\", ${to_placeholder}}]}"
  "/flowRules/2: \"GameScreen\" is shown on the layout \"interfaces.placeholder\", but /flowRules/0 shows it on \"interfaces.game_screen\"")

# Kitchens that could never end, as a kitchen ends only when its clock has run out and its last
# customer has gone: a clock that never runs out, a customer the kitchen can't serve or send away.
set(open_grid "\"WalkGrid\": [${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}, ${open_row}]")
set(customer "\"Recept\": \"soup\", \"Portrait\": 1, \"WaitSeconds\": 20, \"PatienceSeconds\": 40")
function(expect_endless name duration orders expected)
  expect_refusal(levelsdata ${name}
    "{${stage}, \"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"${name}\", \"StageName\": \"stage1\", ${floor}, ${open_grid}, \"Duration\": ${duration}, \"Objects\": [{\"Name\": \"Devices.saucepan\", \"X\": 400, \"Y\": 400}], \"Orders\": [${orders}]}]}"
    "level \"${name}\": ${expected}" ${LIBRARY} ${SCRIPT})
endfunction()
expect_endless(endless_negative_clock -1 "{${customer}}" "a Duration of -1 ms never runs out")
expect_endless(endless_huge_clock 3e38 "{${customer}}" "a Duration of 3e+38 ms never runs out")
foreach(kind 7 -1 101 102)
  expect_endless(endless_kind_${kind} 40000 "{${customer}}, {${customer}, \"Kind\": ${kind}}"
    "order 1 is a customer of kind ${kind}, which the kitchen doesn't know")
endforeach()
foreach(patience WaitSeconds PatienceSeconds)
  expect_endless(endless_${patience} 40000 "{\"Recept\": \"soup\", \"Portrait\": 1, \"${patience}\": 2147483647}"
    "order 0 has ${patience} 2147483647, not 0 to 3600: the customer would never leave")
endforeach()
expect_refusal(gamedata endless_arrivals
  "{\"zacazParams\": {\"firstRowY\": 90, \"rowStep\": 82, \"openStep\": 125, \"customersAtOnce\": 2000000, \"arrivalInterval\": -1}}"
  "/zacazParams/arrivalInterval: -1 ms")
expect_refusal(gamedata millions_at_once
  "{\"zacazParams\": {\"firstRowY\": 90, \"rowStep\": 82, \"openStep\": 125, \"customersAtOnce\": 2000000, \"arrivalInterval\": 9000}}"
  "/zacazParams/customersAtOnce: 2000000 customers at once, but the window holds the order signs of 0 to 5")

# Rivals beyond what the orders pay: the one soup (10 points, half a point of tips for its one item)
# against a rival at 60.
expect_refusal(levelsdata rivals_out_of_reach
  "{${stage}, \"Recepts\": [${soup}], \"Levels\": [{\"Name\": \"test_9\", \"StageName\": \"stage1\", ${floor}, ${open_grid}, \"Duration\": 40000, \"ProgressValues\": [{\"Value\": 10, \"Slot\": 1}, {\"Value\": 60, \"Slot\": 0}], \"Objects\": [{\"Name\": \"Devices.saucepan\", \"X\": 400, \"Y\": 400}], \"Orders\": [{${customer}}]}]}"
  "level \"test_9\": the rival 0 aims at 60 points, but serving every order the level offers brings at most 10.5" ${LIBRARY} ${SCRIPT})
