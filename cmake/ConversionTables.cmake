# The two code conversion tables "GBTRSBIG" and "BIGTRSGB". The host tool gbtables makes them from
# glibc iconv's GB2312 and Big5 mappings and OpenCC's character lists (with its Taiwan variants),
# which opencc_dict first writes out as text, and the few pairs those lists lack
# (tools/gbtables-pairs.txt); it prints how many cells of each table hold the filler. Every build
# puts them in <build>/tables; a Windows build also gets ConversionTables.rc there, embedding both
# as RCDATA resources of those names.
#
# Include this file where the tables are needed; i18n/ calls lintora_conversion_tables() once,
# which adds the target `conversion_tables`.
set(LINTORA_CONVERSION_TABLES_DIR ${CMAKE_BINARY_DIR}/tables)
set(LINTORA_CONVERSION_TABLES ${LINTORA_CONVERSION_TABLES_DIR}/GBTRSBIG
                              ${LINTORA_CONVERSION_TABLES_DIR}/BIGTRSGB)
set(LINTORA_CONVERSION_TABLES_RC ${LINTORA_CONVERSION_TABLES_DIR}/ConversionTables.rc)

function(lintora_conversion_tables)
  find_program(LINTORA_OPENCC_DICT opencc_dict REQUIRED)
  set(LINTORA_OPENCC_DATA_DIR /usr/share/opencc CACHE PATH "Folder of OpenCC's .ocd2 dictionaries")
  set(dir ${LINTORA_CONVERSION_TABLES_DIR})
  set(data ${LINTORA_OPENCC_DATA_DIR})
  set(pairs ${PROJECT_SOURCE_DIR}/tools/gbtables-pairs.txt)
  lintora_host_tool(gbtables gbtables)
  add_custom_command(
    OUTPUT ${LINTORA_CONVERSION_TABLES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${LINTORA_OPENCC_DICT} -f ocd2 -t text -i ${data}/STCharacters.ocd2
            -o ${dir}/STCharacters.txt
    COMMAND ${LINTORA_OPENCC_DICT} -f ocd2 -t text -i ${data}/TSCharacters.ocd2
            -o ${dir}/TSCharacters.txt
    COMMAND ${LINTORA_OPENCC_DICT} -f ocd2 -t text -i ${data}/TWVariants.ocd2
            -o ${dir}/TWVariants.txt
    COMMAND ${gbtables} ${dir}/STCharacters.txt ${dir}/TSCharacters.txt ${dir}/TWVariants.txt
            ${pairs} ${dir}
    DEPENDS ${gbtables} ${data}/STCharacters.ocd2 ${data}/TSCharacters.ocd2
            ${data}/TWVariants.ocd2 ${pairs}
    COMMENT "Generating the code conversion tables"
    VERBATIM)
  add_custom_target(conversion_tables ALL DEPENDS ${LINTORA_CONVERSION_TABLES})
  if(LINTORA_WINDOWS)
    file(WRITE ${LINTORA_CONVERSION_TABLES_RC}.in
         "GBTRSBIG RCDATA \"${dir}/GBTRSBIG\"\nBIGTRSGB RCDATA \"${dir}/BIGTRSGB\"\n")
    configure_file(${LINTORA_CONVERSION_TABLES_RC}.in ${LINTORA_CONVERSION_TABLES_RC} COPYONLY)
  endif()
endfunction()
