# cmake -P script: the form description as the form compiler gets it. Every relative
# `file '...'` path is made absolute (against SOURCE_DIR), and the objects BinStream1 to
# BinStream4 are written from the driver files: the plain file in PLAIN_DIR gives Size (and,
# with DATES_FROM_FILES, FileDate from its last-write time), the file in DATA_DIR is the "Data"
# block and gives SizeOfBin; COMPRESS adds Compress = True.
# Variables: SOURCE_TEXT OUTPUT_TEXT SOURCE_DIR PLAIN_DIR DATA_DIR COMPRESS DATES_FROM_FILES.
include(${CMAKE_CURRENT_LIST_DIR}/DriverList.cmake)

# The file's last-write time in local time, seconds taken down to even, one trailing blank.
function(file_date path var)
  file(TIMESTAMP ${path} stamp "%Y/%m/%d %H:%M:%S")
  string(SUBSTRING "${stamp}" 0 17 head)
  string(SUBSTRING "${stamp}" 17 2 seconds)
  math(EXPR even "${seconds} / 2 * 2")
  if(even LESS 10)
    set(even "0${even}")
  endif()
  set(${var} "${head}${even} " PARENT_SCOPE)
endfunction()

file(READ ${SOURCE_TEXT} text)
string(REGEX REPLACE "file '([^/'][^']*)'" "file '${SOURCE_DIR}/\\1'" text "${text}")

foreach(index RANGE 3)
  math(EXPR number "${index} + 1")
  list(GET lintora_driver_names ${index} name)
  if(DATES_FROM_FILES)
    file_date(${PLAIN_DIR}/${name} date)
  else()
    # The stand-in's time stamp as TBinStream keeps it: "2000/10/23 11:07:26 ".
    list(GET lintora_driver_times ${index} time)
    string(REPLACE "-" "/" date "${time} ")
  endif()
  file(SIZE ${PLAIN_DIR}/${name} size)
  file(SIZE ${DATA_DIR}/${name} sizeOfBin)

  set(head "object BinStream${number}: TBinStream")
  string(FIND "${text}" "${head}" start)
  if(start EQUAL -1)
    # Not in the description (yet): the object goes last into the root object.
    string(FIND "${text}" "\nend" rootEnd REVERSE)
    if(rootEnd EQUAL -1)
      message(FATAL_ERROR "${SOURCE_TEXT}: no root object")
    endif()
    string(SUBSTRING "${text}" 0 ${rootEnd} before)
    string(SUBSTRING "${text}" ${rootEnd} -1 after)
    set(text "${before}\n  ${head}\n  end${after}")
    string(FIND "${text}" "${head}" start)
  endif()
  # The object's indent is what stands between the line start and "object".
  string(SUBSTRING "${text}" 0 ${start} before)
  string(FIND "${before}" "\n" lineStart REVERSE)
  math(EXPR indentStart "${lineStart} + 1")
  math(EXPR indentLength "${start} - ${indentStart}")
  string(SUBSTRING "${text}" ${indentStart} ${indentLength} indent)
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "\n${indent}end" endOffset)
  if(endOffset EQUAL -1)
    message(FATAL_ERROR "${SOURCE_TEXT}: ${head} has no end")
  endif()
  string(LENGTH "\n${indent}end" endLength)
  math(EXPR end "${start} + ${endOffset} + ${endLength}")
  string(SUBSTRING "${text}" ${end} -1 after)

  set(object "${head}\n")
  string(APPEND object "${indent}  FileDate = '${date}'\n")
  string(APPEND object "${indent}  FileName = 'C:\\Lintora\\Drivers\\${name}'\n")
  string(APPEND object "${indent}  Size = ${size}\n")
  string(APPEND object "${indent}  SizeOfBin = ${sizeOfBin}\n")
  if(COMPRESS)
    string(APPEND object "${indent}  Compress = True\n")
  endif()
  string(APPEND object "${indent}  Data = file '${DATA_DIR}/${name}'\n")
  string(APPEND object "${indent}end")
  string(SUBSTRING "${text}" 0 ${start} text)
  string(APPEND text "${object}${after}")
endforeach()

file(WRITE ${OUTPUT_TEXT}.new "${text}")
file(RENAME ${OUTPUT_TEXT}.new ${OUTPUT_TEXT})
