<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>vantro</name>
    <message>
        <source>Vantro - Vr 2018_B</source>
        <translation>Vantro - Vr 2018_B</translation>
    </message>
    <message>
        <source>gravador emulado</source>
        <translation>emulated programmer</translation>
    </message>
    <message>
        <source>Gravar FLASH</source>
        <translation>Write FLASH</translation>
    </message>
    <message>
        <source>Gravar EEPROM</source>
        <translation>Write EEPROM</translation>
    </message>
    <message>
        <source>Lock Bits</source>
        <translation>Lock Bits</translation>
    </message>
    <message>
        <source>LB3</source>
        <translation>LB3</translation>
    </message>
    <message>
        <source>LB2</source>
        <translation>LB2</translation>
    </message>
    <message>
        <source>LB1</source>
        <translation>LB1</translation>
    </message>
    <message>
        <source>Apagar Memórias</source>
        <translation>Erase Memories</translation>
    </message>
    <message>
        <source>Gravar LOCK BITS</source>
        <translation>Write LOCK BITS</translation>
    </message>
    <message>
        <source>Procurar arquivo hex</source>
        <translation>Find hex file</translation>
    </message>
    <message>
        <source>Arqs. HEX(*.hex)</source>
        <translation>HEX files(*.hex)</translation>
    </message>
    <message>
        <source>Sim</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Estado: Gravador Conectado</source>
        <translation>Status: Programmer Connected</translation>
    </message>
    <message>
        <source>Estado: Gravador Desconectado</source>
        <translation>Status: Programmer Disconnected</translation>
    </message>
    <message>
        <source>Apagando...</source>
        <translation>Erasing...</translation>
    </message>
    <message>
        <source>Apagou com sucesso!</source>
        <translation>Erased successfully!</translation>
    </message>
    <message>
        <source>Erro ao apagar!</source>
        <translation>Erase failed!</translation>
    </message>
    <message>
        <source>Gravando...</source>
        <translation>Writing...</translation>
    </message>
    <message>
        <source>Gravando EEPROM...</source>
        <translation>Writing EEPROM...</translation>
    </message>
    <message>
        <source>Gravou com sucesso!</source>
        <translation>Written successfully!</translation>
    </message>
    <message>
        <source>Erro na gravação</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Erro na gravação!</source>
        <translation>Write error!</translation>
    </message>
    <message>
        <source>Lock bits gravados com sucesso!!!</source>
        <translation>Lock bits written successfully!!!</translation>
    </message>
    <message>
        <source>Falha na gravação de Lock bits %1</source>
        <translation>Lock bits write failed %1</translation>
    </message>
    <message>
        <source>Erro na gravação de Lock bits!</source>
        <translation>Lock bits write error!</translation>
    </message>
    <message>
        <source>O gravador foi desconectado durante a operação.</source>
        <translation>The programmer was disconnected during the operation.</translation>
    </message>
    <message>
        <source>O gravador não respondeu em %1 s.</source>
        <translation>The programmer did not answer within %1 s.</translation>
    </message>
    <message>
        <source>Não foi possível enviar o comando ao gravador. Verifique se ele está conectado.</source>
        <translation>Could not send the command to the programmer. Check that it is connected.</translation>
    </message>
    <message>
        <source>o arquivo não existe</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>sem permissão de leitura</source>
        <translation>no permission to read it</translation>
    </message>
    <message>
        <source>é uma pasta, não um arquivo</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>arquivo grande demais para um arquivo HEX (mais de 16 MiB)</source>
        <translation>too large for a HEX file (more than 16 MiB)</translation>
    </message>
    <message>
        <source>não é um arquivo comum</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>Configuração do emulador inválida: &quot;%1&quot; (%2: %3 ou mais)</source>
        <translation>Invalid emulator setting: &quot;%1&quot; (%2: %3 or more)</translation>
    </message>
    <message>
        <source>Configuração do emulador inválida: &quot;%1&quot; (%2: de %3 a %4)</source>
        <translation>Invalid emulator setting: &quot;%1&quot; (%2: %3 to %4)</translation>
    </message>
    <message>
        <source>Arquivo HEX inválido: falta o registro de fim (:00000001FF); o arquivo parece incompleto</source>
        <translation>Invalid HEX file: the end record (:00000001FF) is missing; the file looks incomplete</translation>
    </message>
    <message>
        <source>Arquivo HEX inválido: linha %1: %2</source>
        <translation>Invalid HEX file: line %1: %2</translation>
    </message>
    <message>
        <source>Configuração do emulador inválida: &quot;%1&quot; (chaves: %2)</source>
        <translation>Invalid emulator setting: &quot;%1&quot; (keys: %2)</translation>
    </message>
    <message>
        <source>Um gravador Vantro virtual no kernel (uhid), para experimentar o caminho real sem hardware: responde como o gravador emulado até SIGINT ou SIGTERM.</source>
        <translation>A virtual Vantro programmer in the kernel (uhid), to try the real path without hardware: it answers as the emulated programmer does until SIGINT or SIGTERM.</translation>
    </message>
    <message>
        <source>Número de série do gravador virtual (padrão VIRT-0001)</source>
        <translation>Serial number of the virtual programmer (default VIRT-0001)</translation>
    </message>
    <message>
        <source>TEXTO</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>Configuração do gravador CHAVE=VALOR (%1); pode ser repetida</source>
        <translation>Programmer setting KEY=VALUE (%1); may be repeated</translation>
    </message>
    <message>
        <source>Salva a FLASH em ARQUIVO após cada relatório de fim e de lock bits, e ao encerrar</source>
        <translation>Saves the FLASH to FILE after every end and lock-bit report, and at exit</translation>
    </message>
    <message>
        <source>Salva a EEPROM em ARQUIVO após cada relatório de fim e de lock bits, e ao encerrar</source>
        <translation>Saves the EEPROM to FILE after every end and lock-bit report, and at exit</translation>
    </message>
    <message>
        <source>Depois de um unplug, conecta o gravador de novo após MS milissegundos</source>
        <translation>After an unplug, plugs the programmer in again MS milliseconds later</translation>
    </message>
    <message>
        <source>O kernel recusou o dispositivo HID: %1</source>
        <translation>The kernel refused the HID device: %1</translation>
    </message>
    <message>
        <source>Gravador virtual %1 conectado (1234:0001). Ctrl-C encerra.</source>
        <translation>Virtual programmer %1 connected (1234:0001). Ctrl-C ends it.</translation>
    </message>
    <message>
        <source>/dev/uhid falhou: %1</source>
        <translation>/dev/uhid failed: %1</translation>
    </message>
    <message>
        <source>Gravador virtual %1 conectado de novo.</source>
        <translation>Virtual programmer %1 connected again.</translation>
    </message>
    <message>
        <source>Gravador virtual %1 encerrado.</source>
        <translation>Virtual programmer %1 ended.</translation>
    </message>
    <message>
        <source>Gravador virtual %1 desconectado no relatório %2.</source>
        <translation>Virtual programmer %1 unplugged at report %2.</translation>
    </message>
    <message>
        <source>Não há /dev/uhid: carregue o módulo do kernel com &quot;modprobe uhid&quot; (como root).</source>
        <translation>There is no /dev/uhid: load the kernel module with &quot;modprobe uhid&quot; (as root).</translation>
    </message>
    <message>
        <source>Sem permissão para abrir /dev/uhid: execute como root, ou dê acesso ao seu usuário com uma regra do udev para /dev/uhid.</source>
        <translation>No permission to open /dev/uhid: run as root, or give your user access with a udev rule for /dev/uhid.</translation>
    </message>
    <message>
        <source>Não foi possível abrir /dev/uhid: %1</source>
        <translation>Could not open /dev/uhid: %1</translation>
    </message>
    <message>
        <source>Configuração do emulador inválida: &quot;%1&quot; (%2: %3 ou %4)</source>
        <translation>Invalid emulator setting: &quot;%1&quot; (%2: %3 or %4)</translation>
    </message>
    <message>
        <source>Configuração do emulador inválida: &quot;%1&quot; (%2: dois dígitos hexadecimais)</source>
        <translation>Invalid emulator setting: &quot;%1&quot; (%2: two hexadecimal digits)</translation>
    </message>
    <message>
        <source>Não foi possível abrir o arquivo HEX &quot;%1&quot;: %2</source>
        <translation>Could not open the HEX file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Não foi possível ler o arquivo HEX &quot;%1&quot;: %2</source>
        <translation>Could not read the HEX file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>a contagem de bytes não confere com os dados</source>
        <translation>the byte count does not match the data</translation>
    </message>
    <message>
        <source>caractere que não é dígito hexadecimal</source>
        <translation>a character that is not a hexadecimal digit</translation>
    </message>
    <message>
        <source>dados em 0x%1 passam do limite de 64 KiB da memória de código</source>
        <translation>data at 0x%1 runs past the 64 KiB limit of code memory</translation>
    </message>
    <message>
        <source>linha mais longa que qualquer registro (mais de %1 caracteres)</source>
        <translation>line longer than any record (more than %1 characters)</translation>
    </message>
    <message>
        <source>mais registros do que a tabela comporta (%1)</source>
        <translation>more records than the table holds (%1)</translation>
    </message>
    <message>
        <source>não é um registro HEX (não começa com &apos;:&apos;)</source>
        <translation>not a HEX record (does not begin with &apos;:&apos;)</translation>
    </message>
    <message>
        <source>número ímpar de dígitos hexadecimais</source>
        <translation>odd number of hexadecimal digits</translation>
    </message>
    <message>
        <source>o byte do endereço 0x%1 já foi dado por outro registro</source>
        <translation>the byte at address 0x%1 was already given by another record</translation>
    </message>
    <message>
        <source>o nome do arquivo contém um caractere nulo</source>
        <translation>the file name contains a null character</translation>
    </message>
    <message>
        <source>registro curto demais</source>
        <translation>record too short</translation>
    </message>
    <message>
        <source>registro de endereço base sem exatamente 2 bytes de dados</source>
        <translation>base address record without exactly 2 data bytes</translation>
    </message>
    <message>
        <source>registro longo demais</source>
        <translation>record too long</translation>
    </message>
    <message>
        <source>soma de verificação incorreta</source>
        <translation>wrong checksum</translation>
    </message>
    <message>
        <source>tipo de registro desconhecido (%1)</source>
        <translation>unknown record type (%1)</translation>
    </message>
    <message>
        <source>Endereços: nenhum</source>
        <translation>Addresses: none</translation>
    </message>
    <message>
        <source>Gravador emulado</source>
        <translation>Emulated programmer</translation>
    </message>
    <message>
        <source>Memória emulada confere com a imagem.</source>
        <translation>The emulated memory matches the image.</translation>
    </message>
    <message>
        <source>Nenhum gravador encontrado.</source>
        <translation>No programmer found.</translation>
    </message>
    <message>
        <source>Arquivo: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Bytes de dados: %1</source>
        <translation>Data bytes: %1</translation>
    </message>
    <message>
        <source>Endereços: %1 a %2</source>
        <translation>Addresses: %1 to %2</translation>
    </message>
    <message>
        <source>Memória emulada difere da imagem no endereço %1.</source>
        <translation>The emulated memory differs from the image at address %1.</translation>
    </message>
    <message>
        <source>Registros: %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>Relatórios de dados: FLASH %1, EEPROM %2</source>
        <translation>Data reports: FLASH %1, EEPROM %2</translation>
    </message>
    <message>
        <source>Gravador encontrado em %1, mas sem permissão de acesso: instale a regra udev do Vantro e reconecte o gravador.</source>
        <translation>Programmer found at %1, but this user may not open it: install the Vantro udev rule and replug the programmer.</translation>
    </message>
    <message>
        <source>Gravador encontrado em %1, mas outro programa está usando o gravador: feche esse programa e tente de novo.</source>
        <translation>Programmer found at %1, but another program is using the programmer: close that program and try again.</translation>
    </message>
    <message>
        <source>Gravador encontrado em %1, mas não foi possível abri-lo: %2</source>
        <translation>Programmer found at %1, but it could not be opened: %2</translation>
    </message>
    <message>
        <source>Estado: Gravador sem permissão de acesso</source>
        <translation>Status: no permission to use the programmer</translation>
    </message>
    <message>
        <source>Não foi possível abrir o registro &quot;%1&quot;: %2</source>
        <translation>Could not open the log &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo &quot;%1&quot;: %2</source>
        <translation>Could not write the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Enter: próximo chip; q: parar </source>
        <translation>Enter: next chip; q: stop </translation>
    </message>
    <message>
        <source>Chips: %1 gravados, %2 com falha</source>
        <translation>Chips: %1 programmed, %2 failed</translation>
    </message>
    <message>
        <source>Total: %1 chips (%2 gravados, %3 com falha)</source>
        <translation>Total: %1 chips (%2 programmed, %3 failed)</translation>
    </message>
    <message>
        <source>Gravador</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Interrompido.</source>
        <translation>Interrupted.</translation>
    </message>
    <message>
        <source>Nenhum gravador em &quot;%1&quot;.</source>
        <translation>No programmer at &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Conecte o gravador (vantro-cli list mostra os que estão presentes) ou use --emulator para experimentar sem hardware.</source>
        <translation>Plug the programmer in (vantro-cli list shows those present), or use --emulator to try without hardware.</translation>
    </message>
    <message>
        <source>%1,%2</source>
        <comment>a number with a decimal fraction</comment>
        <translation>%1.%2</translation>
    </message>
    <message>
        <source>Não foi possível escrever na saída padrão: %1</source>
        <translation>Could not write to standard output: %1</translation>
    </message>
    <message>
        <source>o %1 não tem EEPROM</source>
        <translation>the %1 has no EEPROM</translation>
    </message>
    <message>
        <source>a imagem passa do fim da %1 de %2 do %3 (endereço %4)</source>
        <translation>the image runs past the end of the %2 %1 of the %3 (address %4)</translation>
    </message>
    <message>
        <source>Gravação recusada: este gravador grava também os bytes 0xFF na EEPROM (eeprom-ff=write), e o slot do registro final, que o protocolo exige (marcador, endereço 0000, 16 × 0xFF), sobrescreveria 0x0000–0x000F. Nada foi enviado ao gravador.</source>
        <translation>Run refused: this programmer also writes 0xFF bytes to the EEPROM (eeprom-ff=write), and the end record&apos;s slot the protocol requires (marker, address 0000, 16 × 0xFF) would overwrite 0x0000–0x000F. Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>Ensaio da gravação: o endereço %1 fica fora da memória do chip (%2 bytes). Nada foi enviado ao gravador.</source>
        <translation>Rehearsal of the run: address %1 lies outside the chip&apos;s memory (%2 bytes). Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>EEPROM: %1 bytes 0xFF na imagem, o primeiro em %2; o firmware deixa 0xFF como está, então eles só conferem onde a EEPROM já tem 0xFF.</source>
        <translation>EEPROM: %1 bytes 0xFF in the image, the first at %2; the firmware leaves 0xFF as it is, so they hold only where the EEPROM already holds 0xFF.</translation>
    </message>
    <message>
        <source>Gravação recusada: %1. Nada foi enviado ao gravador.</source>
        <translation>Run refused: %1. Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>Ensaio da gravação: no endereço %1 o chip ficaria com %2, mas a imagem dá %3. Nada foi enviado ao gravador.</source>
        <translation>Rehearsal of the run: at address %1 the chip would hold %2, but the image gives %3. Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>Ensaio da gravação: no endereço %1 o chip ficaria com %2, mas a imagem não dá esse endereço. Nada foi enviado ao gravador.</source>
        <translation>Rehearsal of the run: at address %1 the chip would hold %2, but the image gives no byte there. Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>Componente desconhecido: &quot;%1&quot; (conhecidos: %2)</source>
        <translation>Unknown part: &quot;%1&quot; (known: %2)</translation>
    </message>
    <message>
        <source>O gravador respondeu %1 em vez de %2.</source>
        <translation>The programmer answered %1 instead of %2.</translation>
    </message>
    <message>
        <source>Ensaio %1: confere com a imagem.</source>
        <translation>Rehearsal %1: matches the image.</translation>
    </message>
    <message>
        <source>Ensaio %1: recusado.</source>
        <translation>Rehearsal %1: refused.</translation>
    </message>
    <message>
        <source>Ensaio EEPROM: nenhum, o %1 não tem EEPROM.</source>
        <translation>Rehearsal EEPROM: none, the %1 has no EEPROM.</translation>
    </message>
    <message>
        <source>%1: a imagem cabe na %2 de %3.</source>
        <translation>%1: the image fits its %3 %2.</translation>
    </message>
    <message>
        <source>chave desconhecida</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>chave obrigatória ausente</source>
        <translation>required key missing</translation>
    </message>
    <message>
        <source>deve ser um texto não vazio</source>
        <translation>must be a non-empty text</translation>
    </message>
    <message>
        <source>deve ser um número inteiro de %1 a %2</source>
        <translation>must be a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>deve ser uma tabela</source>
        <translation>must be a table</translation>
    </message>
    <message>
        <source>deve ter 64 dígitos hexadecimais</source>
        <translation>must have 64 hexadecimal digits</translation>
    </message>
    <message>
        <source>deve ser uma lista de 1, 2 e 3</source>
        <translation>must be a list of 1, 2 and 3</translation>
    </message>
    <message>
        <source>deve ser "eeprom" ou "flash"</source>
        <translation>must be "eeprom" or "flash"</translation>
    </message>
    <message>
        <source>deve ser u16le, u16be, u32le, u32be, bcdN (N par, até 16) ou asciiN (N até 19)</source>
        <translation>must be u16le, u16be, u32le, u32be, bcdN (N even, up to 16) or asciiN (N up to 19)</translation>
    </message>
    <message>
        <source>deve ser uma lista de números de série de gravadores</source>
        <translation>must be a list of programmer serial numbers</translation>
    </message>
    <message>
        <source>o gravador %1 aparece duas vezes</source>
        <translation>programmer %1 is given twice</translation>
    </message>
    <message>
        <source>Não foi possível ler o arquivo "%1": %2</source>
        <translation>Could not read the file "%1": %2</translation>
    </message>
    <message>
        <source>componente desconhecido: "%1" (conhecidos: %2)</source>
        <translation>unknown part: "%1" (known: %2)</translation>
    </message>
    <message>
        <source>o arquivo "%1" tem SHA-256 %2, não o fixado no job</source>
        <translation>the file "%1" has SHA-256 %2, not the one the job fixes</translation>
    </message>
    <message>
        <source>o número de série (%1 bytes em %2) passa do fim da memória de %3 do %4</source>
        <translation>the serial number (%1 bytes at %2) runs past the end of the %4's %3 memory</translation>
    </message>
    <message>
        <source>a imagem já tem dados no endereço %1, onde o número de série seria escrito</source>
        <translation>the image already has data at address %1, where the serial number would be written</translation>
    </message>
    <message>
        <source>o job não grava nada: dê [flash], [eeprom], [lock] ou [serial]</source>
        <translation>the job writes nothing: give [flash], [eeprom], [lock] or [serial]</translation>
    </message>
    <message>
        <source>o número de série %1 não cabe no formato</source>
        <translation>serial number %1 does not fit the format</translation>
    </message>
    <message>
        <source>a tabela de registros não tem lugar para o número de série</source>
        <translation>the record table has no room for the serial number</translation>
    </message>
    <message>
        <source>Não foi possível ler o contador "%1": %2</source>
        <translation>Could not read the counter "%1": %2</translation>
    </message>
    <message>
        <source>O contador "%1" não contém um número: "%2"</source>
        <translation>The counter "%1" does not hold a number: "%2"</translation>
    </message>
    <message>
        <source>O chip não foi alterado: grave-o de novo.</source>
        <translation>The chip was not changed: program it again.</translation>
    </message>
    <message>
        <source>Memórias gravadas, lock bits incertos: apague e grave o chip de novo.</source>
        <translation>Memories written, lock bits uncertain: erase the chip and program it again.</translation>
    </message>
    <message>
        <source>EEPROM parcialmente gravada: apague e grave o chip de novo.</source>
        <translation>EEPROM partly written: erase the chip and program it again.</translation>
    </message>
    <message>
        <source>FLASH parcialmente gravada: apague e grave o chip de novo.</source>
        <translation>FLASH partly written: erase the chip and program it again.</translation>
    </message>
    <message>
        <source>Não foi possível gravar o registro "%1": %2</source>
        <translation>Could not write the log "%1": %2</translation>
    </message>
    <message>
        <source>nenhum gravador presente tem o número de série %1</source>
        <translation>no programmer present has serial number %1</translation>
    </message>
    <message>
        <source>Não há soquete "%1".</source>
        <translation>There is no socket "%1".</translation>
    </message>
    <message>
        <source>Job "%1" conferido: %2; nada foi enviado a um gravador.</source>
        <translation>Job "%1" checked: %2; nothing was sent to a programmer.</translation>
    </message>
    <message>
        <source>Soquete %1 (%2)</source>
        <translation>Socket %1 (%2)</translation>
    </message>
    <message>
        <source>gravando o chip nº %1...</source>
        <translation>programming chip no. %1...</translation>
    </message>
    <message>
        <source>gravando o chip...</source>
        <translation>programming the chip...</translation>
    </message>
    <message>
        <source>nº %1</source>
        <translation>no. %1</translation>
    </message>
    <message>
        <source>Enter: próximo chip nos soquetes prontos; K: soquete K; q: encerrar</source>
        <translation>Enter: next chip on the sockets that are done; K: socket K; q: end</translation>
    </message>
    <message>
        <source>%1 pausado após %2 falhas seguidas: confira o soquete e tecle %3 para retomar.</source>
        <translation>%1 paused after %2 failures in a row: check the socket and press %3 to resume.</translation>
    </message>
    <message>
        <source>O job para depois dos chips em andamento.</source>
        <translation>The job stops after the running chips.</translation>
    </message>
    <message>
        <source>Soquete  Gravador      Gravados  Com falha  Primeiro nº  Último nº</source>
        <translation>Socket   Programmer    Done      Failed     First no.    Last no.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; é %3, que seria apagado. Nada foi gravado nem enviado ao gravador.</source>
        <translation>%1 &quot;%2&quot; is %3, which would be overwritten. Nothing was written or sent to the programmer.</translation>
    </message>
    <message>
        <source>o arquivo HEX</source>
        <translation>the HEX file</translation>
    </message>
    <message>
        <source>o arquivo do job</source>
        <translation>the job file</translation>
    </message>
    <message>
        <source>Registros: %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>o contador</source>
        <translation>the counter</translation>
    </message>
    <message>
        <source>o arquivo de %1</source>
        <translation>the file of %1</translation>
    </message>
    <message>
        <source>%1 e %2 dão o mesmo arquivo &quot;%3&quot;. Nada foi gravado nem enviado ao gravador.</source>
        <translation>%1 and %2 give the same file &quot;%3&quot;. Nothing was written or sent to the programmer.</translation>
    </message>
    <message>
        <source>O nome do arquivo HEX está vazio.</source>
        <translation>The HEX file name is empty.</translation>
    </message>
    <message>
        <source>Aviso: os registros a partir da linha %1 vêm depois do registro de fim e são ignorados.</source>
        <translation>Warning: the records from line %1 on come after the end record and are ignored.</translation>
    </message>
    <message>
        <source>Aviso: o arquivo HEX não contém dados.</source>
        <translation>Warning: the HEX file holds no data.</translation>
    </message>
    <message>
        <source>O apagamento pode não ter terminado: apague de novo.</source>
        <translation>The erase may not have finished: erase again.</translation>
    </message>
    <message>
        <source>A FLASH fica parcialmente gravada: apague o chip e grave de novo.</source>
        <translation>The FLASH is left partly written: erase the chip and write it again.</translation>
    </message>
    <message>
        <source>A EEPROM fica parcialmente gravada: grave a EEPROM de novo (apagar o chip apagaria também a FLASH).</source>
        <translation>The EEPROM is left partly written: write the EEPROM again (an erase would also wipe the FLASH).</translation>
    </message>
    <message>
        <source>Não se sabe se os lock bits foram gravados: só um apagamento os limpa.</source>
        <translation>It is not known whether the lock bits were written: only an erase clears them.</translation>
    </message>
    <message>
        <source>Interrompido. %1</source>
        <translation>Interrupted. %1</translation>
    </message>
    <message>
        <source>O gravador respondeu 0x7F: os lock bits não foram confirmados.</source>
        <translation>The programmer answered 0x7F: the lock bits were not confirmed.</translation>
    </message>
    <message>
        <source>Chip</source>
        <translation>Chip</translation>
    </message>
    <message>
        <source>Uma operação está em andamento e fechar a interrompe. %1 Fechar mesmo assim?</source>
        <translation>An operation is in progress and closing stops it. %1 Close anyway?</translation>
    </message>
    <message>
        <source>Códigos de saída:
  0  sucesso
  1  o gravador recusou um relatório de dados ou os lock bits
     (com --emulator: ou a memória emulada não confere com a imagem)
  2  erro de uso, arquivo recusado, gravação recusada antes de enviar algo (o
     ensaio da gravação, ou --part), ou arquivo de saída que não pôde ser gravado
  3  nenhum gravador, tempo esgotado, gravador desconectado ou falha de escrita
  128+N  encerrado pelo sinal N (130 para Ctrl-C, 143 para SIGTERM, 129 para
     SIGHUP); nada mais foi enviado, e a mensagem diz o que o chip contém
</source>
        <translation>Exit codes:
  0  success
  1  the programmer refused a data report or the lock bits
     (with --emulator: or the emulated memory does not match the image)
  2  usage error, a refused file, a run refused before anything was sent (the
     rehearsal of the run, or --part), or an output file that could not be written
  3  no programmer, a time-out, the programmer removed, or a write failure
  128+N  ended by signal N (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP); nothing
     more was sent, and the message says what the chip holds
</translation>
    </message>
    <message>
        <source>Lista os gravadores presentes</source>
        <translation>List the programmers present</translation>
    </message>
    <message>
        <source>Apaga o chip</source>
        <translation>Erase the chip</translation>
    </message>
    <message>
        <source>Grava uma imagem HEX na FLASH</source>
        <translation>Write a HEX image into FLASH</translation>
    </message>
    <message>
        <source>Grava uma imagem HEX na EEPROM</source>
        <translation>Write a HEX image into EEPROM</translation>
    </message>
    <message>
        <source>Grava os lock bits</source>
        <translation>Write the lock bits</translation>
    </message>
    <message>
        <source>Confere um arquivo HEX sem gravador</source>
        <translation>Check a HEX file without a programmer</translation>
    </message>
    <message>
        <source>Lista os componentes que --part aceita, com suas memórias</source>
        <translation>List the parts --part takes, with their memories</translation>
    </message>
    <message>
        <source>ARQUIVO</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Liga o lock bit 1</source>
        <translation>Set lock bit 1</translation>
    </message>
    <message>
        <source>Liga o lock bit 2</source>
        <translation>Set lock bit 2</translation>
    </message>
    <message>
        <source>Liga o lock bit 3</source>
        <translation>Set lock bit 3</translation>
    </message>
    <message>
        <source>Salva a FLASH emulada em ARQUIVO (com --emulator); com --repeat e no job, cada chip após o anterior</source>
        <translation>Save the emulated FLASH to FILE (with --emulator); with --repeat and in a job, each chip after the one before</translation>
    </message>
    <message>
        <source>Salva a EEPROM emulada em ARQUIVO (com --emulator); com --repeat e no job, cada chip após o anterior</source>
        <translation>Save the emulated EEPROM to FILE (with --emulator); with --repeat and in a job, each chip after the one before</translation>
    </message>
    <message>
        <source>Escreve cada relatório de saída em ARQUIVO, um por linha; com --repeat e no job, cada chip após o anterior</source>
        <translation>Write every output report to FILE, one a line; with --repeat and in a job, each chip after the one before</translation>
    </message>
    <message>
        <source>Sem textos de estado nem progresso; as falhas ainda aparecem</source>
        <translation>No status texts or progress; failures still shown</translation>
    </message>
    <message>
        <source>Grava em todos os gravadores presentes, ao mesmo tempo</source>
        <translation>Run on every programmer present, all at once</translation>
    </message>
    <message>
        <source>Chip após chip: após cada gravação, Enter grava de novo; q ou %1 encerra</source>
        <translation>Chip after chip: after each run, Enter runs again; q or %1 stops</translation>
    </message>
    <message>
        <source>Acrescenta a ARQUIVO uma linha JSON por gravador e gravação, quando cada uma termina</source>
        <translation>Append one JSON line per programmer and run to FILE, as each ends</translation>
    </message>
    <message>
        <source>Arquivo Intel HEX</source>
        <translation>Intel HEX file</translation>
    </message>
    <message>
        <source>%1: você quis dizer %2?</source>
        <translation>%1: did you mean %2?</translation>
    </message>
    <message>
        <source>%1: não existe esse comando</source>
        <translation>%1: no such command</translation>
    </message>
    <message>
        <source>%1: não existe essa opção</source>
        <translation>%1: no such option</translation>
    </message>
    <message>
        <source>%1: %2 não se aplica a este comando; vantro-cli help %1 lista as suas opções.</source>
        <translation>%1: %2 does not apply to this command; vantro-cli help %1 lists its options.</translation>
    </message>
    <message>
        <source>Usa o gravador neste caminho, ou serial:NÚMERO para o de número de série NÚMERO, quando há mais de um</source>
        <translation>Use the programmer at this path, or serial:NUMBER for the one with serial number NUMBER, when there are several</translation>
    </message>
    <message>
        <source>O chip (AT89S51, AT89S8252...): imagens que não cabem nele são recusadas</source>
        <translation>The chip (AT89S51, AT89S8252...): images that do not fit it are refused</translation>
    </message>
    <message>
        <source>A janela usa um só gravador: dê --device uma vez só.</source>
        <translation>The window uses one programmer: give --device once only.</translation>
    </message>
    <message>
        <source>As opções de cada comando: vantro-cli help COMANDO.</source>
        <translation>Each command's options: vantro-cli help COMMAND.</translation>
    </message>
    <message>
        <source>Execute com --help para mais informações.</source>
        <translation>Run with --help for more information.</translation>
    </message>
    <message>
        <source>vantro-cli: apaga, grava e protege chips 8051 pelo gravador Vantro</source>
        <translation>vantro-cli: erase, program and lock 8051 chips through the Vantro programmer</translation>
    </message>
    <message>
        <source>Mostra a ajuda do vantro-cli ou de um comando</source>
        <translation>Show the help of vantro-cli or of one command</translation>
    </message>
    <message>
        <source>COMANDO</source>
        <translation>COMMAND</translation>
    </message>
    <message>
        <source>O comando a explicar</source>
        <translation>The command to explain</translation>
    </message>
    <message>
        <source>--dump-flash e --dump-eeprom requerem --emulator</source>
        <translation>--dump-flash and --dump-eeprom require --emulator</translation>
    </message>
    <message>
        <source>--all toma todos os gravadores e não pode ser usado com --device</source>
        <translation>--all takes every programmer and cannot be used with --device</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é um número</source>
        <translation>&quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>%1 não está entre 0,1 e 3600 segundos</source>
        <translation>%1 is not between 0.1 and 3600 seconds</translation>
    </message>
    <message>
        <source>Usa o gravador emulado (sem precisar de hardware)</source>
        <translation>Use the emulated programmer (no hardware needed)</translation>
    </message>
    <message>
        <source>Configuração do emulador CHAVE=VALOR (%1), CHAVE=VALOR@K só para o gravador emulado K, ou programmers=N; pode ser repetida</source>
        <translation>Emulator setting KEY=VALUE (%1), KEY=VALUE@K for emulated programmer K only, or programmers=N; repeatable</translation>
    </message>
    <message>
        <source>CHAVE=VALOR</source>
        <translation>KEY=VALUE</translation>
    </message>
    <message>
        <source>Usa o gravador neste caminho, ou serial:NÚMERO para o de número de série NÚMERO (veja list); repetida, usa vários ao mesmo tempo</source>
        <translation>Use the programmer at this path, or serial:NUMBER for the one with that serial number (see list); repeat it to use several at once</translation>
    </message>
    <message>
        <source>CAMINHO</source>
        <translation>PATH</translation>
    </message>
    <message>
        <source>Segundos de espera por cada resposta (padrão 10)</source>
        <translation>Seconds to wait for each answer (default 10)</translation>
    </message>
    <message>
        <source>SEGUNDOS</source>
        <translation>SECONDS</translation>
    </message>
    <message>
        <source>Idioma dos textos: pt (padrão) ou en</source>
        <translation>Language of the texts: pt (default) or en</translation>
    </message>
    <message>
        <source>IDIOMA</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>O chip (veja o comando parts): imagens que não cabem nele são recusadas</source>
        <translation>The chip (see the parts command): images that do not fit it are refused</translation>
    </message>
    <message>
        <source>NOME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>--emulate requer --emulator</source>
        <translation>--emulate requires --emulator</translation>
    </message>
    <message>
        <source>--device %1: os gravadores emulados são emulated:1 a emulated:%2</source>
        <translation>--device %1: the emulated programmers are emulated:1 to emulated:%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é pt nem en</source>
        <translation>&quot;%1&quot; is neither pt nor en</translation>
    </message>
    <message>
        <source>Falta o comando.</source>
        <translation>A command is required.</translation>
    </message>
    <message>
        <source>Falta %1.</source>
        <translation>%1 is required.</translation>
    </message>
    <message>
        <source>Argumento inesperado: %1</source>
        <translation>Not expected: %1</translation>
    </message>
    <message>
        <source>%1: falta o valor.</source>
        <translation>%1: the value is missing.</translation>
    </message>
    <message>
        <source>Valor inválido: %1</source>
        <translation>Not a valid value: %1</translation>
    </message>
    <message>
        <source>Mostra esta ajuda e sai</source>
        <translation>Print this help message and exit</translation>
    </message>
    <message>
        <source>Mostra a versão e sai</source>
        <translation>Display program version information and exit</translation>
    </message>
    <message>
        <source>Opções</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Comandos</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Uso</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>OPÇÕES</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>COMANDOS</source>
        <translation>COMMANDS</translation>
    </message>
    <message>
        <source>Argumentos</source>
        <translation>Positionals</translation>
    </message>
    <message>
        <source>OBRIGATÓRIO</source>
        <translation>REQUIRED</translation>
    </message>
    <message>
        <source>Arquivo ou pasta inexistente</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>Permissão negada</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>É uma pasta</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Não é uma pasta</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>Não há espaço no dispositivo</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>Sistema de arquivos somente leitura</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>Dispositivo ou endereço inexistente</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>Erro de entrada/saída</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Arquivo grande demais</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>Nome de arquivo longo demais</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Links simbólicos demais</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Arquivos abertos demais</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Dispositivo ou recurso ocupado</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Canal fechado</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>Recurso temporariamente indisponível</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>erro %1 do sistema</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>sucesso</source>
        <translation>success</translation>
    </message>
    <message>
        <source>sem arquivo</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>arquivo recusado</source>
        <translation>file refused</translation>
    </message>
    <message>
        <source>recusado</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>desconectado</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>sem resposta</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>resposta errada</source>
        <translation>wrong answer</translation>
    </message>
    <message>
        <source>falha de escrita</source>
        <translation>write failed</translation>
    </message>
    <message>
        <source>não encontrado</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>difere</source>
        <translation>mismatch</translation>
    </message>
    <message>
        <source>saída falhou</source>
        <translation>output failed</translation>
    </message>
    <message>
        <source>ocupado</source>
        <translation>busy</translation>
    </message>
    <message>
        <source>vantro: a janela do gravador Vantro de 8051</source>
        <translation>vantro: the window of the Vantro 8051 programmer</translation>
    </message>
    <message>
        <source>Executa um trabalho de produção: os chips que um arquivo TOML descreve, soquete a soquete</source>
        <translation>Run a production job: the chips a TOML job file describes, socket by socket</translation>
    </message>
    <message>
        <source>O arquivo do job (TOML)</source>
        <translation>The job file (TOML)</translation>
    </message>
    <message>
        <source>Confere o arquivo do job, suas imagens e cada passo; não grava nada</source>
        <translation>Check the job file, its images and every step; program nothing</translation>
    </message>
    <message>
        <source>Arqs. IHX(*.ihx)</source>
        <translation>IHX files(*.ihx)</translation>
    </message>
    <message>
        <source>Interrompido: o chip ficou parcialmente gravado; apague e grave de novo.</source>
        <translation>Interrupted: the chip is partly written; erase it and write it again.</translation>
    </message>
    <message>
        <source>Quem opera a linha: vai no registro de cada chip</source>
        <translation>Who operates the line: goes into every chip's record</translation>
    </message>
    <message>
        <source>O job pede o nome de quem opera a linha (operator = &quot;ask&quot;); informe-o, ou use --operator NOME.</source>
        <translation>The job asks for the name of who operates the line (operator = &quot;ask&quot;); give it, or use --operator NAME.</translation>
    </message>
    <message>
        <source>Operador: </source>
        <translation>Operator: </translation>
    </message>
    <message>
        <source>pronto</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>gravando</source>
        <translation>programming</translation>
    </message>
    <message>
        <source>pausado: tecle %1 e Enter</source>
        <translation>paused: type %1 and Enter</translation>
    </message>
    <message>
        <source>(%1 gravados, %2 com falha)</source>
        <translation>(%1 done, %2 failed)</translation>
    </message>
    <message>
        <source>Total: %1 gravados, %2 com falha</source>
        <translation>Total: %1 done, %2 failed</translation>
    </message>
    <message>
        <source>rendimento %1 %</source>
        <translation>yield %1 %</translation>
    </message>
    <message>
        <source>registros: %1</source>
        <translation>records: %1</translation>
    </message>
    <message>
        <source>Enter: nenhum soquete pronto</source>
        <translation>Enter: no socket ready</translation>
    </message>
    <message>
        <source>Enter: próximo chip nos soquetes %1</source>
        <translation>Enter: next chip on sockets %1</translation>
    </message>
    <message>
        <source>K e Enter: soquete K; q e Enter: encerrar</source>
        <translation>K and Enter: socket K; q and Enter: end</translation>
    </message>
    <message>
        <source>arquivo grande demais para um job (mais de 1 MiB)</source>
        <translation>file too large for a job (over 1 MiB)</translation>
    </message>
    <message>
        <source>erro de sintaxe TOML na coluna %1</source>
        <translation>TOML syntax error at column %1</translation>
    </message>
    <message>
        <source>a lista está vazia: dê 1, 2 ou 3</source>
        <translation>the list is empty: give 1, 2 or 3</translation>
    </message>
    <message>
        <source>o bit %1 aparece duas vezes</source>
        <translation>bit %1 is given twice</translation>
    </message>
    <message>
        <source>grande demais para um contador</source>
        <translation>too large for a counter</translation>
    </message>
    <message>
        <source>os números de série do formato %1 acabaram: o maior é %2 e o próximo seria %3; nenhum número foi tomado</source>
        <translation>the serial numbers of format %1 have run out: the largest is %2 and the next would be %3; no number was taken</translation>
    </message>
    <message>
        <source>Números de série: restam %1 no formato %2 (o maior é %3).</source>
        <translation>Serial numbers: %1 left in format %2 (the largest is %3).</translation>
    </message>
    <message>
        <source>Aviso: restam só %1 números de série no formato %2 (o maior é %3); ao fim deles o job para.</source>
        <translation>Warning: only %1 serial numbers left in format %2 (the largest is %3); when they run out the job stops.</translation>
    </message>
    <message>
        <source>Nada foi enviado ao gravador.</source>
        <translation>Nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo &quot;%1&quot;.</source>
        <translation>Could not write the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>A base de registros "%1" não tem os números já dados pelo job "%2": o registro "%3" nomeia números até %4. Restaure a base (ou o contador) antes de continuar; nenhum número foi dado.</source>
        <translation>The records "%1" lack the numbers job "%2" has already given: the log "%3" names numbers up to %4. Restore the records (or the counter) before going on; no number was given.</translation>
    </message>
    <message>
        <source>O contador "%1" passou para a base de registros "%2": o próximo número é %3; daqui em diante a base é a referência (o contador não muda mais).</source>
        <translation>The counter "%1" moved into the records "%2": the next number is %3; from now on the records are the truth (the counter no longer changes).</translation>
    </message>
    <message>
        <source>A base de registros "%1" não tem a faixa de números do job "%2".</source>
        <translation>The records "%1" have no range of numbers for job "%2".</translation>
    </message>
    <message>
        <source>Não foi possível gravar na base de registros "%1": %2</source>
        <translation>Could not write to the records "%1": %2</translation>
    </message>
    <message>
        <source>Não foi possível ler a base de registros "%1": %2</source>
        <translation>Could not read the records "%1": %2</translation>
    </message>
    <message>
        <source>O endereço da base de registros não pode conter uma senha: use o arquivo de senhas do PostgreSQL (~/.pgpass), um arquivo de serviço ou PGPASSWORD.</source>
        <translation>The records' address must not hold a password: use PostgreSQL's password file (~/.pgpass), a service file or PGPASSWORD.</translation>
    </message>
    <message>
        <source>Não foi possível abrir a base de registros "%1": %2</source>
        <translation>Could not open the records "%1": %2</translation>
    </message>
    <message>
        <source>Bases de registros em servidor PostgreSQL não são suportadas na versão para Windows: use um arquivo SQLite em `records`.</source>
        <translation>Records on a PostgreSQL server are not supported by the Windows build: name an SQLite file in `records`.</translation>
    </message>
    <message>
        <source>A base de registros "%1" não existe.</source>
        <translation>The records "%1" do not exist.</translation>
    </message>
    <message>
        <source>Mostra a base de registros de um job: o registro de um chip, um resumo ou tudo em CSV ou JSON</source>
        <translation>Shows a job's records: one chip's record, a summary, or everything as CSV or JSON</translation>
    </message>
    <message>
        <source>ORIGEM</source>
        <translation>SOURCE</translation>
    </message>
    <message>
        <source>O arquivo SQLite ou o endereço postgresql:// da base de registros</source>
        <translation>The records' SQLite file or postgresql:// address</translation>
    </message>
    <message>
        <source>Mostra todo o registro do chip de número N</source>
        <translation>Prints the whole record of chip number N</translation>
    </message>
    <message>
        <source>Exporta cada tentativa, uma por linha: csv ou jsonl</source>
        <translation>Exports every attempt, one per line: csv or jsonl</translation>
    </message>
    <message>
        <source>--format: "%1" não é csv nem jsonl</source>
        <translation>--format: "%1" is neither csv nor jsonl</translation>
    </message>
    <message>
        <source>--serial mostra um chip; --format exporta todos: dê um dos dois</source>
        <translation>--serial shows one chip; --format exports them all: give one of the two</translation>
    </message>
    <message>
        <source>Execução %1: job "%2", estação %3, desde %4</source>
        <translation>Run %1: job "%2", station %3, since %4</translation>
    </message>
    <message>
        <source>  Soquete %1 (%2): %3 gravados, %4 com falha, rendimento %5, %6 números tomados sem fim</source>
        <translation>  Socket %1 (%2): %3 done, %4 failed, yield %5, %6 numbers taken never finished</translation>
    </message>
    <message>
        <source>pausado</source>
        <translation>paused</translation>
    </message>
    <message>
        <source>Chip nº %1, job "%2", tentativa %3:</source>
        <translation>Chip no. %1, job "%2", attempt %3:</translation>
    </message>
    <message>
        <source>A base de registros "%1" não tem o chip nº %2.</source>
        <translation>The records "%1" have no chip no. %2.</translation>
    </message>
</context>
</TS>
