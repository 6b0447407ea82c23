# Builds the full database from the fixture agency files (every record kind
# imported), then runs the program's self-test on it: its checks tied to the
# generated records give way to their general form or are skipped with the
# reason, and every check that runs must pass. AGENCY names the folder
# (tests/tools/agency by default); EXPECT lists, "|" between them, the lines
# the self-test must print.
if(NOT AGENCY)
  set(AGENCY ${SOURCE}/tests/tools/agency)
endif()
set(agency ${AGENCY})
if(NOT EXPECT)
  set(EXPECT "PASS  every recall opens with the vehicle-years it covers|SKIP  2002 Navigator: 32 owner complaints")
endif()
string(REPLACE "|" ";" expected "${EXPECT}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/run)
set(vpic)
if(EXISTS "${VPIC_DB}")
  set(vpic --vpic ${VPIC_DB} --vpic-version ${VPIC_VERSION})
endif()
execute_process(COMMAND ${VORELGEN} --profile full --content ${SOURCE}/tools/vorelgen/content
  --schema ${SOURCE}/tools/vorelgen/schema.sql --out ${WORK}/vorel.db --photos ${WORK}/photos
  --research ${WORK}/research.db --agency-dir ${agency} ${vpic}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vorelgen failed: ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${WORK}/home XDG_RUNTIME_DIR=${WORK}/run
  XDG_CONFIG_HOME=${WORK}/home/config XDG_DATA_HOME=${WORK}/home/data XDG_CACHE_HOME=${WORK}/home/cache LC_ALL=C
  VOREL_DB=${WORK}/vorel.db VOREL_PHOTOS=${WORK}/photos VOREL_SEED_DB=${WORK}/research.db ${APP} --selftest
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 600)
file(WRITE ${WORK}/selftest.txt "${out}")
if(NOT out MATCHES "RESULT: ")
  message(FATAL_ERROR "the self-test did not reach its result line (status ${status}): ${err}\n${out}")
endif()
if(NOT out MATCHES "RESULT: ALL [0-9]+ CHECKS PASSED")
  message(FATAL_ERROR "the self-test failed on the imported database (status ${status}); output in ${WORK}/selftest.txt")
endif()
foreach(check IN LISTS expected)
  string(FIND "${out}" "${check}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the self-test did not run \"${check}\" on the imported database; output in ${WORK}/selftest.txt")
  endif()
endforeach()
message(STATUS "self-test on the imported database: see ${WORK}/selftest.txt")
