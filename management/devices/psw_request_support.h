/*
 * What the option and status objects share about their requests: the port of a
 * protocol, the rows of a walk (each row the binding list of one answer PDU, its bindings
 * in the order the columns were asked) and the Error line of a failing call.
 */
#ifndef MANAGEMENT_PSW_RESULT_ROWS_H
#define MANAGEMENT_PSW_RESULT_ROWS_H

#include <cstddef>
#include <cstdint>

class CPmcObjectList;
class IPmcObjectListIterator;
class IPmsValue;
class IPmsVarBindList;

/* psw_row_value: the value of a row's binding, null past its end. */
IPmsValue *psw_row_value(IPmsVarBindList *row, uint32_t column);
/* psw_row_number: a number of a row (0 when missing or of another kind). */
int32_t psw_row_number(IPmsVarBindList *row, uint32_t column);
/* psw_row_text: a text of a row into a field of `size` bytes, cut to it and terminated
 * (empty when missing). */
void psw_row_text(IPmsVarBindList *row, uint32_t column, char *field, size_t size);

/* PSWRowCursor: the rows of a result table in walk order; next() answers null past the
 * last row. The cursor takes the table and releases it at its end. */
class PSWRowCursor
{
public:
    explicit PSWRowCursor(CPmcObjectList *rows);
    ~PSWRowCursor();
    PSWRowCursor(const PSWRowCursor &) = delete;
    PSWRowCursor &operator=(const PSWRowCursor &) = delete;
    IPmsVarBindList *next();

private:
    CPmcObjectList *m_rows;
    IPmcObjectListIterator *m_iterator;
    bool m_started;
};

/* psw_port_of_protocol: 161 for IPv4 and IPv6, 36879 for IPX into *port; -2 for any
 * other protocol (*port unchanged). */
int psw_port_of_protocol(int protocol, uint16_t *port);

/* psw_log_failure: the Error line naming a failing call on "PSW"; answers `code`. */
int psw_log_failure(const char *call, int code);

#endif /* MANAGEMENT_PSW_RESULT_ROWS_H */
