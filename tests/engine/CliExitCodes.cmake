# Checks tarnwick-cli's exit status: 2 for a bad argument, 3 for a numeric failure
# (with the sentence on standard error and the report so far on standard output), 1 for
# a file that could not be written.
function(expect_status expected)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL ${expected})
    message(FATAL_ERROR "tarnwick-cli ${ARGN}: status ${status}, expected ${expected}\n${err}")
  endif()
  set(last_out "${out}" PARENT_SCOPE)
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

expect_status(0)
expect_status(2 --set NoSuchMember=1)
if(NOT last_err MATCHES "NoSuchMember")
  message(FATAL_ERROR "the bad argument is not named: ${last_err}")
endif()
expect_status(2 --set InitialVelocity=fast)
expect_status(2 --set HuntingMode=yes)
expect_status(2 --text txtNothing=1)
expect_status(2 --canvas 0x10)
expect_status(3 --set DeltaT=0)
expect_status(3 --set BarometricPressure=0)
if(NOT last_out MATCHES "^Muzzle Velocity = 2000" OR NOT last_err MATCHES "air density")
  message(FATAL_ERROR "a failed run must print the report so far and the reason: ${last_out} / ${last_err}")
endif()
expect_status(0 --canvas 1000x400 --set HuntingMode=-1 --set PBRMode=0 --set LastZeroCrossing=250)
if(NOT last_out MATCHES "Hunting LOS cross 2 = 250 yards")
  message(FATAL_ERROR "Varmint zero at 250 yards not reached: ${last_out}")
endif()

# Flight models: G7 only with the point-mass model, which has no Ingalls or Krupp table;
# a point-mass run whose sight cannot be set prints the header and says why.
expect_status(2 --set DragFunction=G7 --range-table 0:100:50)
expect_status(2 --set Model=PointMass --set DragFunction=Krupp)
expect_status(2 --set Model=Precise)
expect_status(2 --range-table 100:0:10)
expect_status(2 --range-table 0:100:10 --inspect 300)
expect_status(3 --set Model=PointMass --set DragFunction=G7 --range-table 0:100:50)
if(NOT last_out MATCHES "^Range\\(yd\\)" OR NOT last_err MATCHES "G7 ballistic coefficient must be above zero")
  message(FATAL_ERROR "a range table whose sight cannot be set must say why: ${last_out} / ${last_err}")
endif()

# Only the drag laws the program offers, the valid names listed; a click whose values stop
# being finite is a numeric failure.
foreach(law G9 g1)
  expect_status(2 --set DragFunction=${law})
  if(NOT last_err MATCHES "G1, Ingalls or Krupp")
    message(FATAL_ERROR "the valid drag laws are not listed: ${last_err}")
  endif()
endforeach()
expect_status(3 --set BulletMass=1e308 --inspect 300)

# Output that cannot be written is a failure: a report, the help or a click's values
# sent to a full disk, and a picture that cannot be written (the report still printed).
foreach(args IN ITEMS "--canvas;578x288" "--help" "--inspect;300")
  execute_process(COMMAND ${CLI} ${args} OUTPUT_FILE /dev/full RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 1 OR NOT err MATCHES "standard output")
    message(FATAL_ERROR "tarnwick-cli ${args} > /dev/full: status ${status}, expected 1\n${err}")
  endif()
endforeach()
if(PNG)
  expect_status(1 --png /dev/full)
  if(NOT last_out MATCHES "^Muzzle Velocity = 2000" OR NOT last_err MATCHES "/dev/full: ")
    message(FATAL_ERROR "a picture that cannot be written must be named, the report still printed: ${last_out} / ${last_err}")
  endif()
endif()
