# Checks the generated API reference in HTML (-DHTML=folder): the main page is
# the tour and links into the classes; the pages of the classes a program uses
# first each show their example and every member a caller calls on them, the
# inherited ones included; Error's page links to the codes by platform. With
# -DWINDOWS=ON (the Windows build, the SDK zip) DirEntry::Imp is documented as
# Windows' own WIN32_FIND_DATAA, never as the stand-in lufio::sys::WIN32_FIND_DATAA.
set(failures "")

# The text of a page, tags dropped and the common entities decoded.
function(page_text name out)
  if(NOT EXISTS ${HTML}/${name})
    message(FATAL_ERROR "no page ${HTML}/${name}")
  endif()
  file(READ ${HTML}/${name} html)
  string(REGEX REPLACE "<[^>]*>" "" text "${html}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  string(REPLACE "&#160;" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
  set(${out}_html "${html}" PARENT_SCOPE)
endfunction()

# require(page what...): every `what` occurs in the text of `page`.
function(require page)
  page_text(${page} text)
  foreach(what IN LISTS ARGN)
    string(FIND "${text}" "${what}" at)
    if(at EQUAL -1)
      set(failures "${failures}\n  ${page}: no \"${what}\"" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

set(base "Close (" "Seek (" "Seek2Begin (" "Seek2End (" "Size (" "Tell (" "GetFileName (")
# A page with an example shows a fragment of code: the snippet's own lines.
require(classlufio_1_1FileR.html "Read (" ${base} "in.Read(lusys::BasicRef<char>(buffer, sizeof(buffer)))" "Rules:")
require(classlufio_1_1FileW.html "Write (" "Flush (" ${base} "out.Write(lusys::Literal(" "Rules:")
require(classlufio_1_1TextFileR.html "GetLine (" "Read (" ${base} "in.GetLine(line, sizeof(line), complete)")
require(classlufio_1_1DirReader.html "GetFirst (" "GetNext (" "DirReader (" "FilterFiles"
  "e = reader.GetNext()" "Rules:")
require(classlufio_1_1DirEntry.html "GetName (" "GetImp (" "entry.GetImp()")
require(classlufio_1_1Error.html "GetText (" "GetCode (" "GetFileName (" "what (" "e.GetText()"
  "Error codes by platform")
require(classlufio_1_1DirReader_1_1Error.html "GetText (" "GetCode (" "GetPath (" "e.GetText()")
foreach(page FileRW FileA SafeFileW WinHandlerFactory CrtHandlerFactory StdioHandlerFactory IosHandlerFactory)
  require(classlufio_1_1${page}.html "Rules")
endforeach()
require(index.html "A tour of the API" "lufio::FileR" "lufio::DirReader::Error" "Error codes by platform")
page_text(index.html index)
foreach(target classlufio_1_1FileR.html classlufio_1_1Error.html error_codes.html)
  string(FIND "${index_html}" "href=\"${target}" at)
  if(at EQUAL -1)
    set(failures "${failures}\n  index.html: no link to ${target}")
  endif()
endforeach()
require(error_codes.html "ERROR_SHARING_VIOLATION" "ENOSPC" "ERROR_INVALID_NAME")

if(WINDOWS)
  file(GLOB pages ${HTML}/*.html)
  foreach(page IN LISTS pages)
    file(READ ${page} html)
    string(REGEX REPLACE "<[^>]*>" "" text "${html}")
    if(text MATCHES "sys::WIN32_FIND_DATAA")
      get_filename_component(name ${page} NAME)
      set(failures "${failures}\n  ${name}: names the stand-in lufio::sys::WIN32_FIND_DATAA")
    endif()
  endforeach()
  require(classlufio_1_1DirEntry_1_1Imp.html "derives from Windows' own record WIN32_FIND_DATAA")
else()
  require(classlufio_1_1DirEntry_1_1Imp.html "derives from lufio::sys::WIN32_FIND_DATAA")
endif()

if(failures)
  message(FATAL_ERROR "The API reference in ${HTML} lacks what it must teach:${failures}")
endif()
