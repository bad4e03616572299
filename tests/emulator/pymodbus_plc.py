#!/usr/bin/python3
"""A PLC made with pymodbus for the emulator's tests: a Modbus TCP server on a free loopback port.

Arguments: register settings ADDRESS=VALUE and coils to watch, coil:ADDRESS. It prints
"listening on 127.0.0.1:PORT" once it listens, then "coil ADDRESS = VALUE" whenever a watched
coil changes in its datastore.
"""
import asyncio
import sys

from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
from pymodbus.server.async_io import ModbusTcpServer


async def main(arguments):
    def block():
        return ModbusSequentialDataBlock(0, [0] * 65536)

    store = ModbusSlaveContext(di=block(), co=block(), hr=block(), ir=block(), zero_mode=True)
    watched = []
    for argument in arguments:
        if argument.startswith("coil:"):
            watched.append(int(argument[5:]))
        else:
            address, value = argument.split("=")
            store.setValues(3, int(address), [int(value)])
    server = ModbusTcpServer(ModbusServerContext(slaves=store, single=True), address=("127.0.0.1", 0))
    serving = asyncio.ensure_future(server.serve_forever())
    await server.serving
    print("listening on 127.0.0.1:%d" % server.server.sockets[0].getsockname()[1], flush=True)
    last = {address: store.getValues(1, address, 1)[0] for address in watched}
    while not serving.done():
        await asyncio.sleep(0.02)
        for address in watched:
            value = store.getValues(1, address, 1)[0]
            if value != last[address]:
                last[address] = value
                print("coil %d = %d" % (address, int(value)), flush=True)


asyncio.run(main(sys.argv[1:]))
