# scriptcheck refuses a resource script whose colour keys can't show, naming every such animation and
# its object, and passes one where a blend key lets them show; the same for particles drawing a
# sprite of a shared sheet beside particles drawing a texture of their own; given the sample's picture
# sheet, sprites drawn as plain rectangles; given the object library too, a mask with a hole in its
# picture (the saucepan's as it was) and a device's steady copy drawn in another mode than its body,
# which the glow lights; given where texturegen put the sheet's pictures, a sprite info of the sheet
# cutting another rectangle or naming no picture. Run by ctest with -DSCRIPTCHECK=<program>
# -DDATAGEN=<program> -DSCRIPT=<the sample script> -DSHEET=<its texture 0> -DLIBRARY=<the sample's
# libdata.bin> -DPLACES=<texturegen's listing of the sheet> -DWORK_DIR=<folder>.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_check name script)
  file(WRITE ${WORK_DIR}/${name}.as "${script}")
  execute_process(COMMAND ${SCRIPTCHECK} ${WORK_DIR}/${name}.as ${ARGN}
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  set(result ${result} PARENT_SCOPE)
  set(error "${error}" PARENT_SCOPE)
endfunction()

# A tinted sprite without a blend key, a text whose blend key is 0 until its colour has passed, and
# beside them what is sound: a tint with its blend key, and colour keys that are white.
run_check(tints "void FillResource(CResourceReader@ r)
{
    r.CreateModule(\"m\");
    r.CreateAnimationData(\"plain_tint\");
    r.CreateSpriteObjectData(\"block\");
    r.AddSpriteIDResource(0, 100);
    r.AddColor(255, 200, 40, 40, 0, 100);
    r.CreateAnimationData(\"late_blend\");
    r.CreateTextSpriteObjectData(\"words\");
    r.AddBlendMode(0, 100);
    r.AddBlendMode(2, 100);
    r.AddColor(255, 40, 40, 60, 0, 100);
    r.AddColor(255, 255, 255, 255, 0, 100);
    r.CreateAnimationData(\"sound\");
    r.CreateSpriteObjectData(\"tinted\");
    r.AddBlendMode(2, 100);
    r.AddColor(255, 200, 40, 40, 0, 100);
    r.CreateSpriteObjectData(\"white\");
    r.AddColor(0, 255, 255, 255, 1, 100);
    r.AddColor(255, 255, 255, 255, 0, 100);
}
")
if(result EQUAL 0)
  message(FATAL_ERROR "scriptcheck accepted colour keys that can't show")
endif()
foreach(expected "m.plain_tint: the colour keys of \"block\"" "m.late_blend: the colour keys of \"words\"")
  string(FIND "${error}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${expected}\", scriptcheck said: ${error}")
  endif()
endforeach()
string(FIND "${error}" "m.sound" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "scriptcheck refused a sound animation: ${error}")
endif()

# Particles draw their sprite's whole texture: a dot cut from a sheet of two pictures is refused, a
# dot that is a texture of its own is not.
run_check(particles "void FillResource(CResourceReader@ r)
{
    r.AddTexture(\"sheet\");
    r.AddTexture(\"dots\");
    r.AddHGESpriteInfo(\"spark\", 0, 0, 0, 16, 16);
    r.AddHGESpriteInfo(\"button\", 0, 16, 0, 64, 16);
    r.AddHGESpriteInfo(\"dot\", 1, 0, 0, 32, 32);
    r.CreateModule(\"m\");
    r.CreateAnimationData(\"on_sheet\");
    r.CreateParticleSystem(\"sparks\");
    r.AddParticleID(0, 100);
    r.AddParticleIDSprite(0, 100);
    r.CreateAnimationData(\"own_dot\");
    r.CreateParticleSystem(\"sparks\");
    r.AddParticleID(0, 100);
    r.AddParticleIDSprite(2, 100);
}
")
string(FIND "${error}" "m.on_sheet: a particle system draws sprite info 0" at)
if(result EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "scriptcheck did not refuse particles on a shared sheet: ${error}")
endif()
string(FIND "${error}" "m.own_dot" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "scriptcheck refused particles drawing a texture of their own: ${error}")
endif()

run_check(broken "void FillResource(CResourceReader@ r) { r.CreateModule(\"m\") }\n")
if(result EQUAL 0)
  message(FATAL_ERROR "scriptcheck accepted a script that does not build")
endif()

# On the sample's sheet: a flat block and a sprite info the script lacks are refused by name; a
# picture, a block never shown and a block the check names as meant are not, but a block beside it in
# the same animation is: the check names single objects, never a whole animation.
file(READ ${SCRIPT} text)
string(REGEX MATCHALL "r\\.AddHGESpriteInfo\\(\"(panel|block)\"[^)]*\\)" cuts "${text}")
string(REPLACE ";" ";\n    " cuts "${cuts}")
run_check(plain "void FillResource(CResourceReader@ r)
{
    r.AddTexture(\"interface\");
    ${cuts};
    r.CreateModule(\"m\");
    r.CreateAnimationData(\"flat\");
    r.CreateSpriteObjectData(\"square\");
    r.AddSpriteIDResource(1, 100);
    r.CreateAnimationData(\"missing\");
    r.CreateSpriteObjectData(\"picture\");
    r.AddSpriteIDResource(7, 100);
    r.CreateAnimationData(\"sound\");
    r.CreateSpriteObjectData(\"panel\");
    r.AddSpriteIDResource(0, 100);
    r.CreateSpriteObjectData(\"unseen\");
    r.AddSpriteIDResource(1, 100);
    r.AddOpaque(0, 0, 100);
    r.CreateModule(\"interfaces\");
    r.CreateAnimationData(\"pause_screen\");
    r.CreateSpriteObjectData(\"shade\");
    r.AddSpriteIDResource(1, 100);
    r.CreateSpriteObjectData(\"badge\");
    r.AddSpriteIDResource(1, 100);
}
" --sheet ${SHEET})
foreach(expected "m.flat: square: draws sprite info 1 (\"block\"), a plain rectangle"
                 "m.missing: picture: draws sprite info 7, which the script lacks"
                 "interfaces.pause_screen: badge: draws sprite info 1 (\"block\"), a plain rectangle")
  string(FIND "${error}" "${expected}" at)
  if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "expected \"${expected}\", scriptcheck said: ${error}")
  endif()
endforeach()
foreach(sound "m.sound" "interfaces.pause_screen: shade")
  string(FIND "${error}" "${sound}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "scriptcheck refused ${sound}: ${error}")
  endif()
endforeach()

# Against the sheet's listing: the sample's "panel" passes where it lies, a "block" moved to the sheet's
# corner and a sprite info naming no picture of the sheet are refused by name; a sprite info of another
# texture is not the sheet's to judge.
string(REGEX MATCH "r\\.AddHGESpriteInfo\\(\"panel\"[^)]*\\)" panel "${text}")
run_check(places "void FillResource(CResourceReader@ r)
{
    r.AddTexture(\"interface\");
    r.AddTexture(\"dots\");
    ${panel};
    r.AddHGESpriteInfo(\"block\", 0, 0, 0, 16, 16);
    r.AddHGESpriteInfo(\"nowhere\", 0, 0, 0, 8, 8);
    r.AddHGESpriteInfo(\"dot\", 1, 0, 0, 32, 32);
}
" --places ${PLACES})
foreach(expected "sprite info \"block\" is (0, 0, 16, 16); its picture lies at"
                 "sprite info \"nowhere\" cuts texture 0, which has no such picture")
  string(FIND "${error}" "${expected}" at)
  if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "expected \"${expected}\", scriptcheck said: ${error}")
  endif()
endforeach()
foreach(sound "\"panel\"" "\"dot\"")
  string(FIND "${error}" "${sound}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "scriptcheck refused ${sound}: ${error}")
  endif()
endforeach()

# A device's body in the glow's mode and its steady copy in the default one: the copy is refused.
run_check(glow_mode "void FillResource(CResourceReader@ r)
{
    r.CreateModule(\"Devices\");
    r.CreateAnimationData(\"griddle\");
    r.CreateSpriteObjectData(\"body\");
    r.AddBlendMode(1, 100);
    r.CreateSpriteObjectData(\"steady\");
    r.AddOpaque(128, 0, 100);
}
" --sheet ${SHEET} --library ${LIBRARY})
string(FIND "${error}" "Devices.griddle: steady: drawn in another mode than the glow's" at)
string(FIND "${error}" "Devices.griddle: body" body)
if(result EQUAL 0 OR at EQUAL -1 OR NOT body EQUAL -1)
  message(FATAL_ERROR "scriptcheck did not refuse the device's steady copy alone: ${error}")
endif()

# The sample's script and library pass; the saucepan with its old mask, solid but for a hole of 6 x 5
# cells in its middle and over the air above the pot, is refused by name and its fitting mask printed.
execute_process(COMMAND ${SCRIPTCHECK} ${SCRIPT} --sheet ${SHEET} --library ${LIBRARY} --places ${PLACES}
                RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "scriptcheck refused the sample: ${error}")
endif()
set(cells "")
foreach(row RANGE 15)
  foreach(column RANGE 15)
    if(row GREATER_EQUAL 5 AND row LESS_EQUAL 9 AND column GREATER_EQUAL 5 AND column LESS_EQUAL 10)
      list(APPEND cells 255)
    else()
      list(APPEND cells 0)
    endif()
  endforeach()
endforeach()
string(REPLACE ";" ", " cells "${cells}")
file(WRITE ${WORK_DIR}/holed.json "{\"Ingridients\": [{\"Name\": \"Devices.saucepan\", \"Kind\": 1, \"PixelHitTest\": true,
  \"Mask\": {\"Value1\": 16, \"Value4\": 16, \"Value2\": -8, \"Value3\": -8, \"Cells\": [${cells}]}}]}\n")
execute_process(COMMAND ${DATAGEN} libdata ${WORK_DIR}/holed.bin ${WORK_DIR}/holed.json RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "datagen did not build the holed library")
endif()
execute_process(COMMAND ${SCRIPTCHECK} ${SCRIPT} --sheet ${SHEET} --library ${WORK_DIR}/holed.bin
                RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
string(FIND "${error}" "Devices.saucepan: its library mask (16 x 16 cells) lets clicks through 30 cells its picture draws" at)
if(result EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "scriptcheck did not refuse the holed saucepan: ${error}")
endif()
message(STATUS "${error}")
