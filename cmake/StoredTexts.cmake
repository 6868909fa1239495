# Encodes each installation constant as base64 of base64 of base64 of its Windows-1252
# bytes, and writes them into a header for the program.
function(cafe_stored_text out value)
    set(plain "${CMAKE_BINARY_DIR}/generated/stored-value.txt")
    file(WRITE "${plain}" "${value}")
    execute_process(
        COMMAND iconv -f UTF-8 -t WINDOWS-1252 "${plain}"
        COMMAND base64 -w0
        COMMAND base64 -w0
        COMMAND base64 -w0
        OUTPUT_VARIABLE encoded
        RESULTS_VARIABLE results)
    file(REMOVE "${plain}")
    foreach(rc IN LISTS results)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "Cannot encode an installation constant (iconv/base64 failed)")
        endif()
    endforeach()
    string(STRIP "${encoded}" encoded)
    set(${out} "${encoded}" PARENT_SCOPE)
endfunction()

function(cafe_generate_installation_texts)
    cafe_stored_text(CAFE_STORED_HOST1 "${CAFE_PROFILE1_HOST}")
    cafe_stored_text(CAFE_STORED_HOST2 "${CAFE_PROFILE2_HOST}")
    cafe_stored_text(CAFE_STORED_HOST3 "${CAFE_PROFILE3_HOST}")
    cafe_stored_text(CAFE_STORED_HOST4 "${CAFE_PROFILE4_HOST}")
    cafe_stored_text(CAFE_STORED_HOST5 "${CAFE_PROFILE5_HOST}")
    cafe_stored_text(CAFE_STORED_PORT_P1 "${CAFE_PORT_P1}")
    cafe_stored_text(CAFE_STORED_PORT_P2 "${CAFE_PORT_P2}")
    cafe_stored_text(CAFE_STORED_PORT_P3 "${CAFE_PORT_P3}")
    cafe_stored_text(CAFE_STORED_DB_USER "${CAFE_DB_USER}")
    cafe_stored_text(CAFE_STORED_DB_PASSWORD "${CAFE_DB_PASSWORD}")
    cafe_stored_text(CAFE_STORED_LOOKUP1 "${CAFE_LOGIN_LOOKUP1}")
    cafe_stored_text(CAFE_STORED_LOOKUP2 "${CAFE_LOGIN_LOOKUP2}")
    cafe_stored_text(CAFE_STORED_LOOKUP3 "${CAFE_LOGIN_LOOKUP3}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/installation_texts.h.in
                   ${CMAKE_BINARY_DIR}/generated/installation_texts.h @ONLY)
endfunction()
