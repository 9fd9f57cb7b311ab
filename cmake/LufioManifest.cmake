# lufio_embed_manifest(target): embeds lufio's application manifest
# (cmake/windows/lufio.manifest: UTF-8 as the process code page, long paths)
# into the Windows program `target`; does nothing elsewhere. MinGW compiles
# cmake/windows/lufio-manifest.rc with the toolchain's windres; MSVC's linker
# takes the manifest file itself (/MANIFESTINPUT).
if(WIN32 AND NOT MSVC)
  enable_language(RC)
endif()

function(lufio_embed_manifest target)
  set(dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows)
  if(MSVC)
    target_sources(${target} PRIVATE ${dir}/lufio.manifest)
  elseif(WIN32)
    target_sources(${target} PRIVATE ${dir}/lufio-manifest.rc)
  endif()
endfunction()
