# Fails when PROGRAM needs a Qt library other than Qt Core. velmora-cli reads pictures and
# writes PNG with the core's own decoders: loading Qt's graphics library would add several
# milliseconds to every run, more than the archive work itself.
execute_process(COMMAND readelf -d "${PROGRAM}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\[libQt6[A-Za-z]*\\.so[.0-9]*\\]" qt "${dynamic}")
if(NOT qt STREQUAL "[libQt6Core.so.6]")
  message(FATAL_ERROR "${PROGRAM} needs ${qt}; it must need Qt Core only")
endif()
