# The code conversion tables "GBTRSBIG" and "BIGTRSGB" as RCDATA resources (made by i18n/, see
# cmake/ConversionTables.cmake).
include(ConversionTables)
list(APPEND lintora_rc_files ${LINTORA_CONVERSION_TABLES_RC})
list(APPEND lintora_rc_depends conversion_tables)
set_source_files_properties(${LINTORA_CONVERSION_TABLES_RC} PROPERTIES OBJECT_DEPENDS
                                                                       "${LINTORA_CONVERSION_TABLES}")
