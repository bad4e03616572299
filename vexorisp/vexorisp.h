/* Public interface of the communication library libvexorisp.so: Modbus RTU requests to the panel's
 * boot loader over a serial line, each answered by exactly one notification.
 *
 * Every function must be called on one thread, the one that called OpenComm, and that thread must
 * run a Qt event loop: notifications are delivered from it, later, never from inside a call.
 * Return values are 1 for success and 0 for failure; requests report through their notification.
 *
 * Frames (CRC-16/MODBUS appended low byte first):
 *   Set_ModBus_Send, function 16: slave, 16, start hi, start lo, count hi, count lo, 2 x count,
 *     the register bytes, CRC. Answer: slave, 16, start hi, start lo, count hi, count lo, CRC.
 *   Set_ModBus_RW, function 100: slave, 100, 2 x count, the 2 x count data bytes, CRC.
 *     Answer: slave, 100, 2 x answerRegisters, the answer's data bytes, CRC.
 *   A Modbus exception answer (slave, function | 0x80, code, CRC) ends a request with
 *   VEXORISP_EXCEPTION_BASE - code.
 *
 * Settings live in "MD_DLL.DFT" beside the library (see docs/programming.md): the first byte is the
 * COM port number minus one, the rest lists the line settings and the device path of each COM number.
 */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* The library is built with hidden symbols; these are its exports. */
#define VEXORISP_API __attribute__((visibility("default")))

/* Outcomes of a request. Above 0: an answer frame of that many bytes arrived. */
#define VEXORISP_NO_ANSWER (-1)        /* no valid answer in time, after every retry */
#define VEXORISP_NOT_OPEN (-2)         /* the line is not open (never opened, failed, or reopened) */
#define VEXORISP_BAD_REQUEST (-3)      /* function or size the framing cannot carry, or no data */
#define VEXORISP_LINE_ERROR (-4)       /* the serial line failed while sending */
#define VEXORISP_EXCEPTION_BASE (-100) /* minus the exception code of a Modbus exception answer */

/* Longest device path, with its terminating zero. */
#define VEXORISP_DEVICE_MAX 256

/* The notification sink given to OpenComm. answer holds outcome bytes when outcome > 0 (the whole
 * answer frame, CRC included) and is valid only during the call; otherwise it is null. */
typedef void (*VEXORISP_SINK)(void* context, unsigned int message, int outcome, const unsigned char* answer);

/* Line settings. parity is 'N', 'E' or 'O'. */
typedef struct VEXORISP_LINE {
    int com;                          /* COM number, 1 to 256 */
    char device[VEXORISP_DEVICE_MAX]; /* device path of that COM number */
    int baud;
    int dataBits; /* 5 to 8 */
    int parity;
    int stopBits; /* 1 or 2 */
} VEXORISP_LINE;

/* Asked by OpenComm in manual mode with the line about to be opened; may change it. Returns 1 to
 * open the line, 0 to keep the line as it was (closed if it was never opened). A changed COM
 * number or device path is saved to the settings file. */
typedef int (*VEXORISP_CONFIRM)(void* context, VEXORISP_LINE* line);

/* Registers the sink and message number and reloads the settings file. manual = 1: asks the
 * confirmation hook (if one is set) and opens the line; manual = 0: only registers the sink.
 * Returns 1 when the sink is registered and, in manual mode, the line is open. */
VEXORISP_API int OpenComm(VEXORISP_SINK sink, void* context, unsigned int message, int manual);

/* (Re)opens the line from the current settings. Requests still waiting end with VEXORISP_NOT_OPEN. */
VEXORISP_API int Dir_Open_Comm(void);

/* Retries (0 to 100) and answer time-out in milliseconds (1 to 60000) for the requests that
 * follow. A request whose answer does not come in time, or comes with a bad frame CRC, is sent
 * again up to retries times. The time-out runs from the end of the request frame on the line. */
VEXORISP_API int Set_ModBus_Option(int retries, int timeoutMs);

/* Function 16 (write multiple registers): count registers (1 to 123) starting at start.
 * wordsInHostOrder = 0: data holds 2 x count bytes sent in their order; 1: data holds count
 * 16-bit words in host order, each sent high byte first. */
VEXORISP_API int Set_ModBus_Send(int slave, int function, int start, int count, const void* data, int wordsInHostOrder);

/* Function 100 (the boot loader's block request): count registers (1 to 127) of data, laid out
 * as for Set_ModBus_Send. The answer carries answerRegisters registers (1 to 127). readStart and
 * writeStart are not carried by this function; pass 0. */
VEXORISP_API int Set_ModBus_RW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                               const void* data, int wordsInHostOrder);

/* Beyond the original five: the confirmation hook of manual mode (null: open without asking),
 * another settings file (null: "MD_DLL.DFT" beside the library), the current line settings
 * (loaded on first use), new line settings for the next open (save = 1 also writes the COM number
 * and its device path to the settings file), and the end of use: closes the line and drops the
 * sink and all waiting requests without notifying them. */
VEXORISP_API int Set_Comm_Confirm(VEXORISP_CONFIRM confirm, void* context);
VEXORISP_API int Set_Comm_File(const char* path);
VEXORISP_API int Get_Comm_Line(VEXORISP_LINE* line);
VEXORISP_API int Set_Comm_Line(const VEXORISP_LINE* line, int save);
VEXORISP_API void Close_Comm(void);

/* Directions of traced bytes. */
#define VEXORISP_TRACE_SENT 1     /* a request frame written to the line */
#define VEXORISP_TRACE_RECEIVED 2 /* bytes read from the line, as they came */

/* Sees every frame written and every chunk of bytes read, when it happens; bytes are valid only
 * during the call. It must not call back into the library. */
typedef void (*VEXORISP_TRACE)(void* context, int direction, const unsigned char* bytes, int length);

/* Sets the trace hook (null: no trace). */
VEXORISP_API int Set_Comm_Trace(VEXORISP_TRACE trace, void* context);

/* Keeps the line quiet for quietMs milliseconds (0 to 60000) from now: the next request waits
 * that long, and whatever arrives meanwhile is dropped as a late answer to a request already
 * ended. Returns 0 for a value out of range or without an open line. */
VEXORISP_API int Set_ModBus_Quiet(int quietMs);

/* Types by which a program that loads the library at run time looks the functions up. */
typedef int (*PFN_OPEN_COMM)(VEXORISP_SINK, void*, unsigned int, int);
typedef int (*PFN_DIR_OPEN_COMM)(void);
typedef int (*PFN_SET_MODBUS_OPTION)(int, int);
typedef int (*PFN_SET_MODBUS_SEND)(int, int, int, int, const void*, int);
typedef int (*PFN_SET_MODBUS_RW)(int, int, int, int, int, int, const void*, int);
typedef int (*PFN_SET_COMM_CONFIRM)(VEXORISP_CONFIRM, void*);
typedef int (*PFN_SET_COMM_FILE)(const char*);
typedef int (*PFN_GET_COMM_LINE)(VEXORISP_LINE*);
typedef int (*PFN_SET_COMM_LINE)(const VEXORISP_LINE*, int);
typedef void (*PFN_CLOSE_COMM)(void);
typedef int (*PFN_SET_COMM_TRACE)(VEXORISP_TRACE, void*);
typedef int (*PFN_SET_MODBUS_QUIET)(int);

#ifdef __cplusplus
}
#endif
