// Settings of one serial line, saved as a fixed 40-byte text record.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/serialize.h"

namespace COM_HARDWARE_ATTRIBUTES_EX {

// Record: port name (10 bytes), baud rate (10), data bits, parity, stop bits, handshake (5 each),
// every field decimal or plain text, zero-terminated and zero-padded inside its width.
class COMKIT_API CHADEXSerialAttri : public COM_INTERFACE_EX::ISerialize {
public:
    // Values are stored as plain integers; anything outside the lists is kept unchanged.
    enum EBaudrate : int {
        BAUDRATE_110 = 110,
        BAUDRATE_300 = 300,
        BAUDRATE_600 = 600,
        BAUDRATE_1200 = 1200,
        BAUDRATE_2400 = 2400,
        BAUDRATE_4800 = 4800,
        BAUDRATE_9600 = 9600,
        BAUDRATE_14400 = 14400,
        BAUDRATE_19200 = 19200,
        BAUDRATE_38400 = 38400,
        BAUDRATE_56000 = 56000,
        BAUDRATE_57600 = 57600,
        BAUDRATE_115200 = 115200,
        BAUDRATE_128000 = 128000,
        BAUDRATE_256000 = 256000
    };
    enum EDataBits : int { DATABITS_5 = 5, DATABITS_6 = 6, DATABITS_7 = 7, DATABITS_8 = 8 };
    enum EParity : int { PARITY_NONE = 0, PARITY_ODD = 1, PARITY_EVEN = 2, PARITY_MARK = 3, PARITY_SPACE = 4 };
    enum EStopBits : int { STOPBITS_ONE = 0, STOPBITS_ONE_HALF = 1, STOPBITS_TWO = 2 };
    enum EHandshake : int { HANDSHAKE_NONE = 0, HANDSHAKE_HARDWARE = 1, HANDSHAKE_XONXOFF = 2 };

    static constexpr DWORD RECORD_SIZE = 40;
    // Longest port name the record holds (its field keeps one byte for the zero).
    static constexpr int MAX_NAME_LENGTH = 9;

    CHADEXSerialAttri();
    ~CHADEXSerialAttri() override;
    CHADEXSerialAttri(const CHADEXSerialAttri&) = delete;
    CHADEXSerialAttri& operator=(const CHADEXSerialAttri&) = delete;

    // Fewer than 40 bytes: nothing changes, returns 0. Otherwise reads the record, returns 40.
    DWORD Load(BYTE* buffer, DWORD size) override;
    // Null buffer: returns 40. Less than 40 bytes of room: writes nothing, returns 0.
    DWORD Save(BYTE* buffer, DWORD size) override;

    void SetSerialName(const char* name);
    // Never null: an absent name becomes "COM1" first.
    const char* GetSerialName();

    EBaudrate SetBaudrate(EBaudrate value) { return m_eBaudrate = value; }
    EBaudrate GetBaudrate() const { return m_eBaudrate; }
    EDataBits SetDataBits(EDataBits value) { return m_eDataBits = value; }
    EDataBits GetDataBits() const { return m_eDataBits; }
    EParity SetParity(EParity value) { return m_eParity = value; }
    EParity GetParity() const { return m_eParity; }
    EStopBits SetStopBits(EStopBits value) { return m_eStopBits = value; }
    EStopBits GetStopBits() const { return m_eStopBits; }
    EHandshake SetHandshake(EHandshake value) { return m_eHandshake = value; }
    EHandshake GetHandshake() const { return m_eHandshake; }

    // Takes all six settings from source through its getters (an absent name arrives as "COM1").
    void Copy(CHADEXSerialAttri* source);

private:
    char* m_pszName = nullptr;
    EBaudrate m_eBaudrate = BAUDRATE_9600;
    EDataBits m_eDataBits = DATABITS_8;
    EParity m_eParity = PARITY_NONE;
    EStopBits m_eStopBits = STOPBITS_ONE;
    EHandshake m_eHandshake = HANDSHAKE_NONE;
};

} // namespace COM_HARDWARE_ATTRIBUTES_EX
