 select DISTINCT serial_bun                                                     
 From   Account_Qel_AA                                                          
 where  rtrim(serial_qel)    = :tbSerial_qel   and  rtrim(kubun_qel) = '3'      
        and  rtrim(date_day) = :tbSerial_day   and  Form_Kubun = 'A003'         
