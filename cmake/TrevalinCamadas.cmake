# The layers of the program. Each subsystem of src/ may use the ones listed
# for it and nothing above; its windows (forms/) sit on top of it.
set(TREVALIN_SUBSYSTEMS core data analysis recording app)  # each after what it uses
set(TREVALIN_USA_core)
set(TREVALIN_USA_data core)
set(TREVALIN_USA_analysis data core)
set(TREVALIN_USA_recording core)
set(TREVALIN_USA_app recording analysis data core)

# trevalin_raiz_includes(<nome> <base> <pasta>...)
# Fills <build>/include/<nome>/ with links to the headers of the given folders
# of <base> (e.g. "core", "app/forms"; "." for <base> itself), and nothing
# else: a target compiled against this root can include "core/X.h" only if
# "core" was given. Rebuilt at every configure, so a header that moved or went
# away leaves no stale link; new headers are found by the build's glob check.
function(trevalin_raiz_includes nome base)
  set(raiz ${PROJECT_BINARY_DIR}/include/${nome})
  file(REMOVE_RECURSE ${raiz})
  file(MAKE_DIRECTORY ${raiz})
  foreach(pasta ${ARGN})
    file(GLOB hs CONFIGURE_DEPENDS ${base}/${pasta}/*.h)
    foreach(h ${hs})
      file(RELATIVE_PATH n ${base} ${h})
      get_filename_component(d ${raiz}/${n} DIRECTORY)
      file(MAKE_DIRECTORY ${d})
      file(CREATE_LINK ${h} ${raiz}/${n} SYMBOLIC)
    endforeach()
  endforeach()
endfunction()
