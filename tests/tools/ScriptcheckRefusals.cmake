# scriptcheck refuses a resource script whose colour keys can't show, naming every such animation and
# its object, and passes one where a blend key lets them show; the same for particles drawing a
# sprite of a shared sheet beside particles drawing a texture of their own. Run by ctest with
# -DSCRIPTCHECK=<program> -DWORK_DIR=<folder>.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_check name script)
  file(WRITE ${WORK_DIR}/${name}.as "${script}")
  execute_process(COMMAND ${SCRIPTCHECK} ${WORK_DIR}/${name}.as
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
