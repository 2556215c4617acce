# SPDX-License-Identifier: MIT
# cmake -DSCRIPT=embed_ts.cmake -DWORK=dir -P embed_ts_test.cmake
# The catalogue generator on a .ts with what translators' tools write: entities,
# a semicolon, a text on two lines, unfinished and empty translations; and what
# it must refuse.

file(MAKE_DIRECTORY "${WORK}")
set(ts "${WORK}/sample.ts")
set(out "${WORK}/sample.inc")

file(WRITE "${ts}" [=[<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>vantro</name>
    <message>
        <source>Arquivo &quot;%1&quot; &amp;lt; 1; &apos;ok&apos;</source>
        <translation>File &quot;%1&quot; &amp;lt; 1; &apos;ok&apos;</translation>
    </message>
    <message>
        <source>Linha um
linha dois</source>
        <translation>Line one
line two</translation>
    </message>
    <message>
        <source>Ainda não</source>
        <translation type="unfinished">Not yet</translation>
    </message>
    <message>
        <source>Vazio</source>
        <translation></translation>
    </message>
</context>
</TS>
]=])

function(expect_generated expected)
  file(READ "${out}" generated)
  if(NOT generated STREQUAL expected)
    message(FATAL_ERROR "generated:\n${generated}\nexpected:\n${expected}")
  endif()
endfunction()

execute_process(COMMAND "${CMAKE_COMMAND}" -DTS=${ts} -DOUT=${out} -P "${SCRIPT}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed on a good catalogue")
endif()
expect_generated([=[{R"text(Arquivo "%1" &lt; 1; 'ok')text", R"text(File "%1" &lt; 1; 'ok')text"},
{R"text(Linha um
linha dois)text", R"text(Line one
line two)text"},
]=])

# Texts the table could not hold as written are refused, and the table is kept.
function(expect_refused why ts_text)
  file(WRITE "${ts}" "${ts_text}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DTS=${ts} -DOUT=${out} -P "${SCRIPT}"
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    message(FATAL_ERROR "the generator took ${why}")
  endif()
  file(READ "${out}" kept)
  if(NOT kept MATCHES "^\\{R\"text\\(Arquivo")
    message(FATAL_ERROR "a refused catalogue (${why}) replaced the table")
  endif()
endfunction()

expect_refused("a text holding its delimiter"
  "<TS><message><source>a )text&quot; b</source><translation>c</translation></message></TS>")
expect_refused("a character reference"
  "<TS><message><source>a&#10;b</source><translation>c</translation></message></TS>")
expect_refused("a catalogue without a finished translation"
  "<TS><message><source>a</source><translation type=\"unfinished\">b</translation></message></TS>")
