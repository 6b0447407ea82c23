# Builds the sample database from the fixture agency files, then runs the
# program's self-test on it. The run must reach its result line; its checks of
# the database's size and of the generated sample records fail by design on a
# database this small (see README, "Self-test"), so the test names the checks
# that must pass: those that read the imported records.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/run)
set(vpic)
if(EXISTS "${VPIC_DB}")
  set(vpic --vpic ${VPIC_DB} --vpic-version ${VPIC_VERSION})
endif()
execute_process(COMMAND ${VORELGEN} --profile sample --content ${SOURCE}/tools/vorelgen/content
  --schema ${SOURCE}/tools/vorelgen/schema.sql --out ${WORK}/vorel.db --photos ${WORK}/photos
  --research ${WORK}/research.db --agency-dir ${SOURCE}/tests/tools/agency ${vpic}
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
set(must_pass
  "recall 05V388 (speed-control deactivation switch) appears for the 2002 Navigator (1 recalls)"
  "05V388 has its summary, remedy and covered vehicles (40 vehicle-years)"
  "2014 Ford Focus: power train is notably high (3.4×, 45 complaints)"
  "2014 Ford Focus: chart total 55 and bars (55) match the database"
  "recall and vehicle counts equal the research database"
  "2014 Ford Focus: every chart bar and the total equal the research database (55 complaints)"
  "2002 Navigator bulletin list equals the research database (6)"
  "05V388 is linked to the 2002 Navigator in the research database too")
foreach(check ${must_pass})
  string(FIND "${out}" "PASS  ${check}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "self-test check \"${check}\" did not pass on the imported database; output in ${WORK}/selftest.txt")
  endif()
endforeach()
message(STATUS "self-test on the imported database: see ${WORK}/selftest.txt")
