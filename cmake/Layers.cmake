# The layers of the system, lowest first. A file of one layer may include
# files of its own layer and of the layers before it, never of a later one:
# an earlier subsystem reaches a later one through an interface registered at
# start-up. app/, tests/ and bench/ stand outside the layers: they may include
# anything, and no layer includes them. db/ (the embedded database's schema,
# its demo rows and the steps that bring an older file up to date) stands on
# the data layer alone, so that opening a database can bring it up to date.
#
# Each layer owns the files its patterns match (relative to the source root).
# Files named outright are claimed first; a wildcard then takes only what no
# layer claimed before it. So the language semantics and the cell editor,
# which stands on the framework library's field advance, claim their files at
# the top of platform/, and the widgets take what is left there.
set(LAYERS
  platform_lang platform_db db platform_widgets platform_report platform_framework
  core rules lookup grid positions vouchers voucher_dialogs)

function(_layer_stems out)
  set(files)
  foreach(stem ${ARGN})
    list(APPEND files platform/${stem}.h platform/${stem}.cpp)
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
_layer_stems(LAYER_platform_lang RuntimeError Value Currency SqlText KeyedCollection Host)
set(LAYER_platform_db platform/db/*.h platform/db/*.cpp)
set(LAYER_db db/*.h db/*.cpp)
set(LAYER_platform_widgets platform/*.h platform/*.cpp)
set(LAYER_platform_report platform/report/*.h platform/report/*.cpp)
_layer_stems(LAYER_platform_framework CellEditor)
list(APPEND LAYER_platform_framework platform/kumozen/*.h platform/kumozen/*.cpp)
foreach(subsystem core rules lookup grid positions vouchers voucher_dialogs)
  set(LAYER_${subsystem} RECURSE ${subsystem}/*.h ${subsystem}/*.cpp)
endforeach()

# layer_files(<root> <out-var-prefix>): for every layer, <prefix>_<layer> is
# the list of its files (absolute paths) under <root>.
function(layer_files root prefix)
  set(depends)
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(depends CONFIGURE_DEPENDS)
  endif()
  set(claimed)
  foreach(layer ${LAYERS})
    set(named_${layer})
    foreach(pattern ${LAYER_${layer}})
      if(NOT pattern MATCHES "[*]|^RECURSE$" AND EXISTS ${root}/${pattern})
        list(APPEND named_${layer} ${root}/${pattern})
      endif()
    endforeach()
    list(APPEND claimed ${named_${layer}})
  endforeach()
  foreach(layer ${LAYERS})
    set(patterns ${LAYER_${layer}})
    set(mode GLOB)
    if(patterns MATCHES "^RECURSE;")
      list(POP_FRONT patterns)
      set(mode GLOB_RECURSE)
    endif()
    list(FILTER patterns INCLUDE REGEX "[*]")
    set(files)
    if(patterns)
      list(TRANSFORM patterns PREPEND "${root}/")
      file(${mode} files LIST_DIRECTORIES false ${depends} ${patterns})
    endif()
    if(files AND claimed)
      list(REMOVE_ITEM files ${claimed})
    endif()
    list(APPEND claimed ${files})
    set(${prefix}_${layer} ${named_${layer}} ${files} PARENT_SCOPE)
  endforeach()
endfunction()
