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
    _server = None

    @staticmethod
    def getFactoryName():
        return "silent"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._server is None:
            SpeechServer._server = SpeechServer()
        return SpeechServer._server

    @staticmethod
    def shutdownActiveServers():
        SpeechServer._server = None

    def getInfo(self):
        return ["silent", "silent"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        pass

    def speakCharacter(self, character, acss=None):
        pass

    def speakKeyEvent(self, event, acss=None):
        pass

    def sayAll(self, utteranceIterator, progressCallback):
        pass

    def stop(self):
        pass


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
