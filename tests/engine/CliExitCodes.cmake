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
expect_status(2 --range-table 0:100:10 --svg ${OUT}/never.svg)
expect_status(2 --corrections moa)
expect_status(2 --corrections moa --set DropTable=1 --range-table 0:100:10)
expect_status(0 --corrections moa --set DropTable=1 --units metric)
expect_status(2 --units furlongs)
expect_status(2 --range-card 0:100:10 --corrections clicks:0mrad)
expect_status(2 --effects)
expect_status(0 --range-card 0:200:100 --corrections clicks:0.1mrad --csv)
if(NOT last_out MATCHES "^Range\\(yd\\),Elevation\\(in\\),Elevation\\(clicks\\),Elevation direction,")
  message(FATAL_ERROR "the CSV card has no title row: ${last_out}")
endif()
expect_status(3 --set Model=PointMass --set DragFunction=G7 --range-table 0:100:50)
if(NOT last_out MATCHES "^Range\\(yd\\)" OR NOT last_err MATCHES "G7 ballistic coefficient must be above zero")
  message(FATAL_ERROR "a range table whose sight cannot be set must say why: ${last_out} / ${last_err}")
endif()

# Long-range effects: a value no bullet or place can have is refused, naming the field.
foreach(bad TwistRate=-10 BulletLength=-1 BulletDiameter=0 Latitude=90.5 Latitude=-91 Azimuth=inf TwistLeft=left
            PowderSensitivity=inf PowderTemperatures=20:2550 PowderTemperatures=20:2550,20:2600
            PowderTemperatures=20:x,90:2640 WindZones=300:10 WindZones=1:1:1,2:1:1,3:1:1,4:1:1
            WindZones=600:10:3,300:5:3 WindZones=300:10:13)
  expect_status(2 --set Model=PointMass --set ${bad})
  string(REGEX REPLACE "=.*" "" field "${bad}")
  if(NOT last_err MATCHES "${field}")
    message(FATAL_ERROR "--set ${bad}: the field is not named: ${last_err}")
  endif()
endforeach()
# A powder may gain speed in the cold (a negative sensitivity); wind zones show in the report.
expect_status(0 --set Model=PointMass --set PowderSensitivity=-0.5 --set WindZones=300:10:3,2000:5:12)
if(NOT last_out MATCHES "\nWind zone to 300 yards: 10 mph from 3 o'clock\nWind zone to 2000 yards: 5 mph from 12 o'clock\n")
  message(FATAL_ERROR "the wind zones are not in the report: ${last_out}")
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

# Winds in miles per hour fly as the same winds given in the engine's units.
expect_status(0 --set RCrossWindMph=10 --set RTailWindMph=10)
set(mph_report "${last_out}")
expect_status(0 --set RCrossWind=176 --set RTailWind=14.666666666666666 --text txtRCrossWind=10 --text txtRTailWind=10)
if(NOT mph_report STREQUAL last_out OR NOT last_out MATCHES "wind deflection = -")
  message(FATAL_ERROR "winds in mph are not converted to in/s and ft/s:\n${mph_report}\n${last_out}")
endif()

# Output that cannot be written is a failure: a report, the help or a click's values
# sent to a full disk, and a picture that cannot be written (the report still printed).
foreach(args IN ITEMS "--canvas;578x288" "--help" "--inspect;300")
  execute_process(COMMAND ${CLI} ${args} OUTPUT_FILE /dev/full RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 1 OR NOT err MATCHES "standard output")
    message(FATAL_ERROR "tarnwick-cli ${args} > /dev/full: status ${status}, expected 1\n${err}")
  endif()
endforeach()
if(PNG)
  foreach(format png svg pdf)
    expect_status(1 --${format} /dev/full)
    if(NOT last_out MATCHES "^Muzzle Velocity = 2000" OR NOT last_err MATCHES "/dev/full: ")
      message(FATAL_ERROR "a picture that cannot be written must be named, the report still printed: ${last_out} / ${last_err}")
    endif()
  endforeach()
  # One run writes the plot in all three formats; SVG and PDF as lines and text.
  file(REMOVE ${OUT}/cli-plot.png ${OUT}/cli-plot.svg ${OUT}/cli-plot.pdf)
  expect_status(0 --png ${OUT}/cli-plot.png --svg ${OUT}/cli-plot.svg --pdf ${OUT}/cli-plot.pdf)
  file(READ ${OUT}/cli-plot.svg svg)
  file(READ ${OUT}/cli-plot.pdf pdf LIMIT 4)
  file(READ ${OUT}/cli-plot.png png LIMIT 4 HEX)
  if(NOT svg MATCHES "<svg.*>Yards<" OR NOT pdf MATCHES "^%PDF" OR NOT png STREQUAL "89504e47")
    message(FATAL_ERROR "--png, --svg and --pdf must write a PNG, an SVG with text and a PDF")
  endif()
endif()
