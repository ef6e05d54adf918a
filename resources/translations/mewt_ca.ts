<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>temporitzador de mewt completat</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>temporitzador de mewt</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>queden %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>en pausa · queden %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>la fase ha acabat fa %1</translation>
    </message>
    <message>
        <source>timer ended</source>
        <translation>temporitzador acabat</translation>
    </message>
    <message>
        <source>timer ending in</source>
        <translation>el temporitzador acaba en</translation>
    </message>
    <message>
        <source>focus ended</source>
        <translation>concentració acabada</translation>
    </message>
    <message>
        <source>focus ending in</source>
        <translation>la concentració acaba en</translation>
    </message>
    <message>
        <source>break ended</source>
        <translation>descans acabat</translation>
    </message>
    <message>
        <source>break ending in</source>
        <translation>el descans acaba en</translation>
    </message>
    <message>
        <source>notification wasn&apos;t added. check your desktop&apos;s notification settings.</source>
        <translation>no s&apos;ha afegit la notificació. revisa la configuració de notificacions de l&apos;escriptori.</translation>
    </message>
    <message>
        <source>notifications are allowed, but alerts and sounds are off in your desktop&apos;s notification settings.</source>
        <translation>les notificacions estan permeses, però els avisos i els sons estan desactivats a la configuració de notificacions de l&apos;escriptori.</translation>
    </message>
    <message>
        <source>couldn&apos;t request notifications: </source>
        <translation>no s&apos;han pogut sol·licitar les notificacions: </translation>
    </message>
    <message>
        <source>%1 complete</source>
        <translation>%1 completat</translation>
    </message>
    <message>
        <source>time to stretch, rest, or pull the paw again.</source>
        <translation>és hora d&apos;estirar-se, descansar o tornar a tirar de la pota.</translation>
    </message>
    <message>
        <source>no notification service is running.</source>
        <translation>no hi ha cap servei de notificacions en marxa.</translation>
    </message>
    <message>
        <source>the notification service didn&apos;t answer.</source>
        <translation>el servei de notificacions no ha respost.</translation>
    </message>
    <message>
        <source>there&apos;s no session bus to reach the notification service.</source>
        <translation>no hi ha cap bus de sessió per arribar al servei de notificacions.</translation>
    </message>
    <message>
        <source>the notification service answered with an error.</source>
        <translation>el servei de notificacions ha respost amb un error.</translation>
    </message>
    <message>
        <source>the notification has no identifier.</source>
        <translation>la notificació no té identificador.</translation>
    </message>
    <message>
        <source>the notification&apos;s time interval is out of range.</source>
        <translation>l&apos;interval de temps de la notificació és fora del rang permès.</translation>
    </message>
    <message>
        <source>notifications aren&apos;t allowed for mewt.</source>
        <translation>les notificacions no estan permeses per a mewt.</translation>
    </message>
    <message>
        <source>the update feed couldn&apos;t be read.</source>
        <translation>no s&apos;ha pogut llegir el canal d&apos;actualitzacions.</translation>
    </message>
    <message>
        <source>the update server didn&apos;t answer in time.</source>
        <translation>el servidor d&apos;actualitzacions no ha respost a temps.</translation>
    </message>
    <message>
        <source>the update feed is too large.</source>
        <translation>el canal d&apos;actualitzacions és massa gran.</translation>
    </message>
    <message>
        <source>the update server answered with an error (%1).</source>
        <translation>el servidor d&apos;actualitzacions ha respost amb un error (%1).</translation>
    </message>
    <message>
        <source>couldn&apos;t reach the update server.</source>
        <translation>no s&apos;ha pogut connectar amb el servidor d&apos;actualitzacions.</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>cada %1</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min %2 sec</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>release to cancel</source>
        <translation>deixa anar per cancel·lar</translation>
    </message>
    <message>
        <source>pull down to start the next phase</source>
        <translation>estira cap avall per començar la fase següent</translation>
    </message>
    <message>
        <source>start the next phase</source>
        <translation>comença la fase següent</translation>
    </message>
    <message>
        <source>pull down to add focus</source>
        <translation>estira cap avall per afegir concentració</translation>
    </message>
    <message>
        <source>%1 focus · %2</source>
        <translation>%1 × concentració · %2</translation>
    </message>
    <message>
        <source>pull down to add time</source>
        <translation>estira cap avall per afegir temps</translation>
    </message>
    <message>
        <source>updates aren&apos;t configured in this build.</source>
        <translation>les actualitzacions no estan configurades en aquesta compilació.</translation>
    </message>
    <message>
        <source>mewt %1 is available.</source>
        <translation>mewt %1 ja està disponible.</translation>
    </message>
    <message>
        <source>mewt is up to date.</source>
        <translation>mewt està actualitzat.</translation>
    </message>
    <message>
        <source>couldn&apos;t turn on open at login: %1.</source>
        <translation>no s&apos;ha pogut activar l&apos;obertura en iniciar la sessió: %1.</translation>
    </message>
    <message>
        <source>couldn&apos;t turn off open at login: %1.</source>
        <translation>no s&apos;ha pogut desactivar l&apos;obertura en iniciar la sessió: %1.</translation>
    </message>
    <message>
        <source>%1 can&apos;t be created</source>
        <translation>no es pot crear %1</translation>
    </message>
    <message>
        <source>%1 can&apos;t be written</source>
        <translation>no es pot escriure %1</translation>
    </message>
    <message>
        <source>%1 can&apos;t be removed</source>
        <translation>no es pot eliminar %1</translation>
    </message>
    <message>
        <source>%1 wasn&apos;t made by mewt</source>
        <translation>%1 no l&apos;ha creat mewt</translation>
    </message>
    <message>
        <source>sending…</source>
        <translation>enviant…</translation>
    </message>
    <message>
        <source>send</source>
        <translation>envia</translation>
    </message>
    <message>
        <source>send feedback</source>
        <translation>envia comentaris</translation>
    </message>
    <message>
        <source>i read every note. bugs, ideas, or tiny joys all help.</source>
        <translation>llegeixo cada nota. errors, idees o petites alegries: tot ajuda.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>tanca</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>tipus</translation>
    </message>
    <message>
        <source>feedback message</source>
        <translation>missatge de comentaris</translation>
    </message>
    <message>
        <source>include email so i can reply</source>
        <translation>inclou el correu perquè et pugui respondre</translation>
    </message>
    <message>
        <source>reply email</source>
        <translation>correu per a la resposta</translation>
    </message>
    <message>
        <source>got it. thank you</source>
        <translation>rebut. gràcies</translation>
    </message>
    <message>
        <source>i read these myself. if you left an email, i may write back.</source>
        <translation>els llegeixo jo mateix. si has deixat un correu, potser et respondré.</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel·la</translation>
    </message>
    <message>
        <source>done</source>
        <translation>fet</translation>
    </message>
    <message>
        <source>search</source>
        <translation>cerca</translation>
    </message>
    <message>
        <source>No Results for “%1”</source>
        <translation>Cap resultat per a «%1»</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>Comprova l&apos;ortografia o prova una altra cerca.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>Search settings</source>
        <translation>Cerca a la configuració</translation>
    </message>
    <message>
        <source>Open %1 in %2</source>
        <translation>Obre %1 a %2</translation>
    </message>
    <message>
        <source>cancel timer</source>
        <translation>cancel·la el temporitzador</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minut</numerusform>
            <numerusform>%n minuts</numerusform>
        </translation>
    </message>
    <message>
        <source>starts the quick timer without pulling</source>
        <translation>inicia el temporitzador ràpid sense estirar</translation>
    </message>
    <message>
        <source>start %1 minute timer</source>
        <translation>inicia un temporitzador de %1 minuts</translation>
    </message>
    <message>
        <source>starts a continuous pomodoro without pulling</source>
        <translation>inicia un pomodoro continu sense estirar</translation>
    </message>
    <message>
        <source>start continuous focus</source>
        <translation>inicia la concentració contínua</translation>
    </message>
    <message>
        <source>starts one configured focus session without pulling</source>
        <translation>inicia una sessió de concentració configurada sense estirar</translation>
    </message>
    <message>
        <source>start one %1 minute focus session</source>
        <translation>inicia una sessió de concentració de %1 minuts</translation>
    </message>
    <message>
        <source>drag the top bar paw to start</source>
        <translation>arrossega la pota de la barra superior per començar</translation>
    </message>
    <message>
        <source>drag the top bar paw to start continuous focus</source>
        <translation>arrossega la pota de la barra superior per començar la concentració contínua</translation>
    </message>
    <message>
        <source>drag the top bar paw to choose focus sessions</source>
        <translation>arrossega la pota de la barra superior per triar les sessions de concentració</translation>
    </message>
    <message>
        <source>click a duration to type · drag to adjust</source>
        <translation>fes clic en una durada per escriure-la · arrossega per ajustar-la</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>mode</translation>
    </message>
    <message>
        <source>timer</source>
        <translation>temporitzador</translation>
    </message>
    <message>
        <source>pomodoro</source>
        <translation>pomodoro</translation>
    </message>
    <message>
        <source>cancel pomodoro</source>
        <translation>cancel·la el pomodoro</translation>
    </message>
    <message>
        <source>yarn timer progress</source>
        <translation>progrés del cabdell del temporitzador</translation>
    </message>
    <message>
        <source>solid yarn is focus; split yarn is break</source>
        <translation>el fil sencer és concentració; el fil partit és descans</translation>
    </message>
    <message>
        <source>timer progress</source>
        <translation>progrés del temporitzador</translation>
    </message>
    <message>
        <source>this desktop has no notification settings to open.</source>
        <translation>aquest escriptori no té cap configuració de notificacions per obrir.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>mewt tour, step %1 of %2</source>
        <translation>visita guiada de mewt, pas %1 de %2</translation>
    </message>
    <message>
        <source>skip</source>
        <translation>omet</translation>
    </message>
    <message>
        <source>back</source>
        <translation>enrere</translation>
    </message>
    <message>
        <source>next</source>
        <translation>següent</translation>
    </message>
    <message>
        <source>resume timer</source>
        <translation>reprèn el temporitzador</translation>
    </message>
    <message>
        <source>pause timer</source>
        <translation>posa en pausa el temporitzador</translation>
    </message>
    <message>
        <source>cat</source>
        <translation>gat</translation>
    </message>
    <message>
        <source>display</source>
        <translation>pantalla</translation>
    </message>
    <message>
        <source>layout</source>
        <translation>disposició</translation>
    </message>
    <message>
        <source>popover</source>
        <translation>finestra emergent</translation>
    </message>
    <message>
        <source>system</source>
        <translation>sistema</translation>
    </message>
    <message>
        <source>app</source>
        <translation>aplicació</translation>
    </message>
    <message>
        <source>help</source>
        <translation>ajuda</translation>
    </message>
    <message>
        <source>made with ♥</source>
        <translation>fet amb ♥</translation>
    </message>
    <message>
        <source>·</source>
        <translation>·</translation>
    </message>
    <message>
        <source>replay</source>
        <translation>torna a veure</translation>
    </message>
    <message>
        <source>This notice could not be loaded. Please contact %1.</source>
        <translation>No s&apos;ha pogut carregar aquest avís. Contacta amb %1.</translation>
    </message>
    <message>
        <source>With thanks to the people whose work helps make mewt possible.</source>
        <translation>Amb agraïment a les persones la feina de les quals ajuda a fer possible mewt.</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>Biblioteques</translation>
    </message>
    <message>
        <source>Select a library to read its license.</source>
        <translation>Selecciona una biblioteca per llegir-ne la llicència.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fet</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>seleccionat</translation>
    </message>
    <message>
        <source>pomodoro flow</source>
        <translation>flux del pomodoro</translation>
    </message>
    <message>
        <source>sounds</source>
        <translation>sons</translation>
    </message>
    <message>
        <source>notifications</source>
        <translation>notificacions</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>timer defaults</source>
        <translation>valors predeterminats del temporitzador</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Enrere</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Endavant</translation>
    </message>
    <message>
        <source>mewt settings</source>
        <translation>configuració de mewt</translation>
    </message>
    <message>
        <source>pull distance per step</source>
        <translation>distància d&apos;estirada per pas</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 punts</translation>
    </message>
    <message>
        <source>pull behavior</source>
        <translation>comportament en estirar</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1 pt</translation>
    </message>
    <message>
        <source>distance per step</source>
        <translation>distància per pas</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>atura</translation>
    </message>
    <message>
        <source>stop timer</source>
        <translation>atura el temporitzador</translation>
    </message>
    <message>
        <source>skip phase</source>
        <translation>omet la fase</translation>
    </message>
    <message>
        <source>more actions</source>
        <translation>més accions</translation>
    </message>
    <message>
        <source>next focus</source>
        <translation>concentració següent</translation>
    </message>
    <message>
        <source>next break</source>
        <translation>descans següent</translation>
    </message>
    <message>
        <source>settings</source>
        <translation>configuració</translation>
    </message>
    <message>
        <source>allow</source>
        <translation>permet</translation>
    </message>
    <message>
        <source>update</source>
        <translation>actualitza</translation>
    </message>
    <message>
        <source>shows update details</source>
        <translation>mostra els detalls de l&apos;actualització</translation>
    </message>
    <message>
        <source>mewt %1 update available</source>
        <translation>actualització de mewt %1 disponible</translation>
    </message>
    <message>
        <source>mewt %1 is available</source>
        <translation>mewt %1 ja està disponible</translation>
    </message>
    <message>
        <source>optional name</source>
        <translation>nom opcional</translation>
    </message>
    <message>
        <source>shown while running and in the completion notification</source>
        <translation>es mostra mentre està en marxa i a la notificació de finalització</translation>
    </message>
    <message>
        <source>optional name shown while running and in the completion notification</source>
        <translation>nom opcional que es mostra mentre està en marxa i a la notificació de finalització</translation>
    </message>
    <message>
        <source>add name</source>
        <translation>afegeix un nom</translation>
    </message>
    <message>
        <source>edit session name</source>
        <translation>edita el nom de la sessió</translation>
    </message>
    <message>
        <source>edits the name shown while the timer runs</source>
        <translation>edita el nom que es mostra mentre el temporitzador està en marxa</translation>
    </message>
    <message>
        <source>session name</source>
        <translation>nom de la sessió</translation>
    </message>
    <message>
        <source>edit timer duration</source>
        <translation>edita la durada del temporitzador</translation>
    </message>
    <message>
        <source>changes the configured timer duration</source>
        <translation>canvia la durada configurada del temporitzador</translation>
    </message>
    <message>
        <source>type minutes or MM:00, then press return</source>
        <translation>escriu els minuts o MM:00 i prem retorn</translation>
    </message>
    <message>
        <source>timer duration</source>
        <translation>durada del temporitzador</translation>
    </message>
    <message>
        <source>close detached controls</source>
        <translation>tanca els controls separats</translation>
    </message>
    <message>
        <source>reattaches controls to the top bar paw</source>
        <translation>torna a enganxar els controls a la pota de la barra superior</translation>
    </message>
    <message>
        <source>reattach controls to top bar</source>
        <translation>torna a enganxar els controls a la barra superior</translation>
    </message>
    <message>
        <source>reattach controls</source>
        <translation>torna a enganxar els controls</translation>
    </message>
    <message>
        <source>detach and pin controls</source>
        <translation>separa i fixa els controls</translation>
    </message>
    <message numerus="yes">
        <source>%1 duration, %n minutes</source>
        <translation>
            <numerusform>durada de %1, %n minut</numerusform>
            <numerusform>durada de %1, %n minuts</numerusform>
        </translation>
    </message>
    <message>
        <source>type exact minutes, then press return</source>
        <translation>escriu els minuts exactes i prem retorn</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>long break interval</source>
        <translation>interval del descans llarg</translation>
    </message>
    <message>
        <source>every %1 focus sessions</source>
        <translation>cada %1 sessions de concentració</translation>
    </message>
    <message>
        <source>long break every %1 focus sessions · </source>
        <translation>descans llarg cada %1 sessions de concentració · </translation>
    </message>
    <message>
        <source>type the number of focus sessions, then press return</source>
        <translation>escriu el nombre de sessions de concentració i prem retorn</translation>
    </message>
    <message>
        <source>long break every</source>
        <translation>descans llarg cada</translation>
    </message>
    <message>
        <source>focus sessions</source>
        <translation>sessions de concentració</translation>
    </message>
    <message>
        <source>settings can&apos;t be saved</source>
        <translation>no es pot desar la configuració</translation>
    </message>
    <message>
        <source>mewt keeps your changes and saves them as soon as the disk allows.</source>
        <translation>mewt conserva els teus canvis i els desa tan aviat com el disc ho permeti.</translation>
    </message>
    <message>
        <source>clear search</source>
        <translation>esborra la cerca</translation>
    </message>
    <message>
        <source>allow notifications to hear when time is up.</source>
        <translation>permet les notificacions per saber quan s&apos;acaba el temps.</translation>
    </message>
    <message>
        <source>notification alerts and sounds are off.</source>
        <translation>les alertes i els sons de les notificacions estan desactivats.</translation>
    </message>
    <message>
        <source>open your desktop&apos;s notification settings.</source>
        <translation>obre la configuració de notificacions del teu escriptori.</translation>
    </message>
    <message>
        <source>this build has no feedback service, so notes go nowhere.</source>
        <translation>aquesta versió no té cap servei de comentaris, així que les notes no van enlloc.</translation>
    </message>
    <message>
        <source>too long to paste. a note sends up to %1 characters.</source>
        <translation>massa llarg per enganxar. una nota envia fins a %1 caràcters.</translation>
    </message>
    <message>
        <source>download…</source>
        <translation>baixa…</translation>
    </message>
    <message>
        <source>opens the new version&apos;s page in your browser</source>
        <translation>obre la pàgina de la versió nova al navegador</translation>
    </message>
    <message>
        <source>the download page couldn&apos;t be opened.</source>
        <translation>no s&apos;ha pogut obrir la pàgina de baixada.</translation>
    </message>
</context>
</TS>
