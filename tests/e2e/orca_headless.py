"""Orca itself for orca_speech.sh: started as /usr/bin/orca starts it, with the test's own
preferences and a line-buffered debug file, and with this module as its speech server.

The server says nothing: Orca writes every utterance to its debug file as "SPEECH OUTPUT" before
it hands it to a server, so nothing waits on audio and no speech daemon is started.
/usr/bin/orca also refuses to start while any other Orca of the same user runs, a developer's
own on a shared machine included; this launcher leaves that check out, each Orca being in a
D-Bus session of its own.

usage: orca_headless.py PREFS-DIR DEBUG-FILE
"""
import sys

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    """Every method of Orca's base server does nothing; these give what Orca asks of one."""

    _server = None

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        SpeechServer._server = SpeechServer._server or SpeechServer()
        return SpeechServer._server

    def getInfo(self):
        return ["silent", "silent"]

    def getVoiceFamilies(self):
        return []


def main():
    prefs, debug_file = sys.argv[1:3]
    from orca import debug
    debug.debugLevel = debug.LEVEL_ALL
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(debug_file, "w", buffering=1)
    from orca import orca
    manager = orca.getSettingsManager()
    manager.activate(prefs, {})
    sys.path.insert(0, manager.getPrefsDir())
    return orca.main()


if __name__ == "__main__":
    sys.exit(main())
